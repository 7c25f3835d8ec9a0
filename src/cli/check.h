#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QHash>
#include <functional>
#include <random>
#include <vector>

namespace orbsales {
class Connection;
namespace cli {

// The randomized books check: from a seed, a long random sequence of what a shop does, driven
// through the front-end door, after which the books must hold together (`orbsales verify`). The
// same seed gives the same sequence, so a failing run can be replayed.

// What one step of the workload works with.
struct CheckContext {
    QString db;             // the connection string every object is given
    Connection &connection; // the front end's open connection, and for picking documents
    std::mt19937_64 &random;
    int client = 0;         // which of several concurrent clients this is, from 0
    int clients = 1;        // how many there are: each sells from its own share of the stock
    bool atomic = false;    // the all-or-nothing switch on every object
    qint32 manualFrom = 0;  // where this run's typed document numbers begin (manualNumbersFrom)
    QString refusal;        // why the last step's document answered False
    int manualTaken = 0;    // typed numbers used so far
    // Documents processed offline, waiting for their synchronised copy to be processed (as the
    // site that keeps the books replays them later); each answers as an action does.
    std::vector<std::function<bool(CheckContext &)>> awaitingCopy = {};
    // What those documents will take out of stock when their copy is processed, by item and
    // branch ("01A100|HO"): not to be sold again meanwhile.
    QHash<QString, double> reserved = {};

    int pick(int count) { return count <= 0 ? 0 : int(std::uniform_int_distribution<int>(0, count - 1)(random)); }
    double between(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); }
    bool chance(double probability) { return std::bernoulli_distribution(probability)(random); }
    // One of the values a query returns, picked at random; empty when it returns none.
    QString pickOne(const QString &sql, const QVariantList &values = {});
    // One of the rows a query returns, picked at random; empty when it returns none.
    QVariantList pickRow(const QString &sql, const QVariantList &values = {});
    // A document number as a user types it: never typed before in this run, by this client or
    // any other, and never one a counter has handed out or will hand out during the run.
    double manualNumber();
};

// Typed numbers run downwards from the top of a band of their own per client, the bands above
// every counter as the run starts. A typed number raises its counter past itself, so the
// counter's own numbers then lie above it (the next typed number is lower), climbing into the
// next client's band from below while that client types downwards from its top: a run types and
// takes far fewer numbers than a band holds, so the two never meet.
inline constexpr qint32 kManualBand = 1'000'000;
// The first band of a run: above every counter of the database, on a round figure.
qint32 manualNumbersFrom(Connection &connection);

// One kind of step: how often it is drawn, relative to the others, and what it does. `run`
// answers whether the documents it drove answered True; a False is counted (the package refuses
// things for good reasons), an exception stops the check.
struct CheckAction {
    const char *name;
    int weight;
    bool (*run)(CheckContext &context);
};

// Processes one document that waits for its synchronised copy, picked at random.
bool synchroniseOne(CheckContext &context);

// Each document family contributes its actions (check_actions_*.cpp).
std::vector<CheckAction> customerActions();
std::vector<CheckAction> stockActions();
std::vector<CheckAction> orderActions();
std::vector<CheckAction> deliveryActions();
std::vector<CheckAction> invoiceActions();
std::vector<CheckAction> cashMemoActions();
std::vector<CheckAction> returnActions();

// The whole workload, in a fixed order so that a seed means the same sequence everywhere.
std::vector<CheckAction> checkActions();

struct CheckTally {
    QStringList names;
    std::vector<int> ran;
    std::vector<int> refused;
    QStringList lastRefusals; // "action: ErrDesc", the last few
};

// A message that tells of two users getting in each other's way, which the package must wait
// out or retry itself: reaching a caller, it fails the check.
bool isContention(const QString &message);

struct CheckRun {
    QString db;
    quint64 seed = 0;
    int steps = 0;
    int client = 0;
    int clients = 1;
    bool atomic = false;
    qint32 manualFrom = 0; // manualNumbersFrom, read once for all clients of a run
};

// Runs the steps of the workload on the database; `progress` is told after each step.
CheckTally runWorkload(const CheckRun &run, const std::function<void(int done)> &progress);

} // namespace cli
} // namespace orbsales
