#pragma once

namespace orbsales {

// How a document is processed, from the OnlineFlag and SyncFlag properties:
//
//   mode             OnlineFlag  SyncFlag  final number           source updated  postings
//   online           True        any       new                    yes             yes
//   offline          False       False     new                    yes             no
//   synchronisation  False       True      the stored one stays   no              yes
//
// Offline numbers the document and updates its source locally; synchronisation later does the
// stock and ledger work for a copy that already carries its final number. Each document's
// processing asks the mode its questions; what a document does beyond this table (whether the
// offline mode advances the counter, for one) its own steps say.
class ProcessingMode {
public:
    static ProcessingMode of(bool onlineFlag, bool syncFlag) { return ProcessingMode(onlineFlag, syncFlag); }

    bool isOnline() const { return m_online; }
    bool isOffline() const { return !m_online && !m_sync; }
    bool isSynchronisation() const { return !m_online && m_sync; }

    // A new final number is given (the stored number stays only for a synchronised copy).
    bool renumbers() const { return !isSynchronisation(); }
    // The source document's quantities and flags are updated here.
    bool updatesSource() const { return !isSynchronisation(); }
    // Stock, ledger, receivable and the other sibling effects are posted here.
    bool posts() const { return !isOffline(); }
    // An automatic number is taken from the counter, so the counter moves on after it.
    bool advancesCounter() const { return renumbers(); }

private:
    ProcessingMode(bool online, bool sync) : m_online(online), m_sync(sync) {}
    bool m_online;
    bool m_sync;
};

} // namespace orbsales
