#pragma once

#include "check.h"
#include "sample_quotation.h"

#include <QDateTime>
#include <functional>
#include <memory>

namespace orbsales::cli {

class FrontEndObject;

// What the action families of the books check share: how every object is prepared, how its
// answers are counted, and the random pieces a shop's documents are made of.

// What every object of the workload gets: a stamp, and the all-or-nothing switch when it is on.
void prepare(CheckContext &context, FrontEndObject &object);

// Calls a Boolean operation; a False leaves "Operation ErrDesc" as the step's refusal.
bool answered(CheckContext &context, FrontEndObject &object, const char *operation);
// The same for a refusal found without calling anything (a loader that offered nothing).
bool refused(CheckContext &context, const QString &why);

// The demo company's branches, the head office four times as often.
QString randomBranch(CheckContext &context);

// A demo customer; `foreign` is set when it deals in the foreign currency.
struct CheckCustomer {
    QString code; // with the company prefix
    QString name;
    QString currency;
    bool foreign = false;
};
CheckCustomer randomCustomer(CheckContext &context);

// A few lines of the demo company's items for one of its customers, each within what may be sold.
SampleQuotation randomSale(CheckContext &context);

// What this client may still sell of an item in a branch, in base units: its share of the stock
// in hand, less what its documents waiting for their copy will take. A shop does not sell what
// it does not have; a sale refused for stock half-way through its processing would leave a
// half-done document behind. Items that carry no stock have no limit.
class Sellable {
public:
    explicit Sellable(CheckContext &context) : m_context(context) {}
    // At most `wanted`, whole units; 0 when none can be sold. Counts what it answers as taken.
    double take(const QString &itemCode, const QString &branch, double wanted);

private:
    CheckContext &m_context;
    QHash<QString, double> m_taken;
};

// What a document takes out of stock, by item and branch (the keys of CheckContext::reserved).
using Reservation = QHash<QString, double>;
QString stockKey(const QString &itemCode, const QString &branch);

// Processing modes a document may be processed in: online (numbered, stock and postings),
// offline (numbered, the rest left to a later run) and a synchronised copy of a document
// processed elsewhere, where the class offers it.
enum class ProcessMode { Online, Offline, Synchronised };
ProcessMode randomMode(CheckContext &context, bool synchronisable);
void setMode(FrontEndObject &object, ProcessMode mode);

// A typed number a third of the time: the class's manual flag and identity properties set.
void maybeTypeNumber(CheckContext &context, FrontEndObject &object, const char *flag, const char *identity);

// Processes a saved document online or offline, drawn at random, its number typed now and then.
// One processed offline waits in the context for its synchronised copy, which is the same object
// processed again later with SyncFlag set, as the site that keeps the books replays it. `keep`
// holds what the object works with (its grid) until then. `process` calls the processing
// operation and answers as an action does.
using Processing = std::function<bool(CheckContext &, FrontEndObject &)>;
// `takes` is what the document takes out of stock: reserved while it waits.
bool processDrawn(CheckContext &context, std::shared_ptr<FrontEndObject> object, std::shared_ptr<void> keep,
                  const char *manualFlag, const char *manualIdentity, const Processing &process,
                  const Reservation &takes = {});
// The same, online only: for a class whose offline processing and synchronised copy, both made
// in one database, would do part of the work twice.
bool processOnline(CheckContext &context, FrontEndObject &object, const char *manualFlag, const char *manualIdentity,
                   const Processing &process);
// A processing operation called by name.
Processing operation(const char *name);

// Today at midnight, as the screens date their documents.
QDateTime today();

} // namespace orbsales::cli
