#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
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
    bool atomic = false;    // the all-or-nothing switch on every object
    QString refusal;        // why the last step's document answered False

    int pick(int count) { return count <= 0 ? 0 : int(std::uniform_int_distribution<int>(0, count - 1)(random)); }
    double between(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); }
    bool chance(double probability) { return std::bernoulli_distribution(probability)(random); }
    // One of the values a query returns, picked at random; empty when it returns none.
    QString pickOne(const QString &sql, const QVariantList &values = {});
};

// One kind of step: how often it is drawn, relative to the others, and what it does. `run`
// answers whether the documents it drove answered True; a False is counted (the package refuses
// things for good reasons), an exception stops the check.
struct CheckAction {
    const char *name;
    int weight;
    bool (*run)(CheckContext &context);
};

// Each document family contributes its actions (check_actions_*.cpp).
std::vector<CheckAction> orderActions();

// The whole workload, in a fixed order so that a seed means the same sequence everywhere.
std::vector<CheckAction> checkActions();

struct CheckTally {
    QStringList names;
    std::vector<int> ran;
    std::vector<int> refused;
    QStringList lastRefusals; // "action: ErrDesc", the last few
};

// Runs `steps` steps of the workload on the database; `progress` is told after each step.
CheckTally runWorkload(const QString &db, quint64 seed, int steps, int client, bool atomic,
                       const std::function<void(int done)> &progress);

} // namespace cli
} // namespace orbsales
