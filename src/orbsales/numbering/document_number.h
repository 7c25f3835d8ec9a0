#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

namespace orbsales {

class Connection;
class ConnectionProperty;
class CounterTransaction;

// The three prefixes in front of every document number: company (2 characters), branch (2) and
// document type (3).
struct DocumentPrefixes {
    QString company;
    QString branch;
    QString document;
};

// Prefixes then the identity in decimal: 01 HO SQT 125 -> "01HOSQT125".
QString documentNumber(const DocumentPrefixes &prefixes, qint32 identity);
// The same with "TMP" before the identity: the number a document holds until it is processed.
QString temporaryDocumentNumber(const DocumentPrefixes &prefixes, qint32 identity);
// The document prefix inside a number: its characters 5 to 7.
QString documentPrefixOf(const QString &documentNo);
// A typed document number: the Double rounded to the nearest Long, halves to even.
qint32 manualIdentity(double typed);

// One use of OrbSystem.CounterTransaction for one document, in the order the counter expects:
// prefixes, Get_Last_Counter, NextDocumentNo, then (once the document rows are written)
// Increase_Counter in the matching form. A false answer leaves the counter's own ErrDesc in
// `errDesc`. The connection handed to Get_Last_Counter goes by reference and is taken back: the
// caller works on whatever connection the counter hands back.
class CounterUse {
public:
    // One argument: final numbers and quotations. Temporary: Get_Last_Counter(connection, True)
    // and Increase_Counter(True), for documents saved under a temporary number.
    enum class Form { OneArgument, Temporary };

    CounterUse(const DocumentPrefixes &prefixes, Form form);
    // Get_Last_Counter(connection, flag) with a flag of the caller's own, and Increase_Counter(flag).
    CounterUse(const DocumentPrefixes &prefixes, bool secondArgument);
    ~CounterUse();

    void setSkipChecking(bool skip);
    bool take(Connection *&connection, QString &errDesc);
    bool take(ConnectionProperty &connection, QString &errDesc);
    qint32 identity() const { return m_identity; }
    bool consume(QString &errDesc);

private:
    std::unique_ptr<CounterTransaction> m_counter;
    std::optional<bool> m_secondArgument;
    qint32 m_identity = 0;
};

// After a document is saved under a typed number: Document_Next_No is raised to the number + 1
// when it is not already beyond it, and Last_Update stamped with the current date and time.
// A missing Document_Prefix row is not created.
void raiseCounterPastManual(Connection &connection, const DocumentPrefixes &prefixes, qint32 identity);
// The same on a session of its own made from the connection string, as the quotation and the
// order do it: outside whatever the document's connection is doing. SQLite admits one writer at
// a time, so while the document's connection holds a write transaction, a second session would
// wait on that very transaction: there the raise runs on the document's connection instead.
void raiseCounterPastManualOnOwnConnection(const QString &connectionString, Connection &documentConnection,
                                          const DocumentPrefixes &prefixes, qint32 identity);

// How a document gets its identity: typed by the user (the manual flag and identity of the
// class) or the next one of the counter. take() before the rows are written, finish() after.
class DocumentIdentity {
public:
    DocumentIdentity(const DocumentPrefixes &prefixes, CounterUse::Form form, bool manual, double typed);

    // Typed: the Double rounded. Counter: Get_Last_Counter and NextDocumentNo.
    bool take(ConnectionProperty &connection, QString &errDesc);
    bool take(Connection *&connection, QString &errDesc);
    qint32 value() const { return m_identity; }
    bool isManual() const { return m_manual; }
    QString number() const { return documentNumber(m_prefixes, m_identity); }
    QString temporaryNumber() const { return temporaryDocumentNumber(m_prefixes, m_identity); }

    // Counter: Increase_Counter in the matching form. Typed: the counter is raised past the
    // number on `connection`.
    bool finish(Connection &connection, QString &errDesc);
    // Typed numbers raised on a session of their own (raiseCounterPastManualOnOwnConnection).
    bool finishOnOwnConnection(const QString &connectionString, Connection &documentConnection, QString &errDesc);

private:
    DocumentPrefixes m_prefixes;
    CounterUse::Form m_form;
    bool m_manual;
    double m_typed;
    qint32 m_identity = 0;
    std::unique_ptr<CounterUse> m_counter;
};

} // namespace orbsales
