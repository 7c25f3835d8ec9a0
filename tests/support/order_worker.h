#pragma once

#include <QString>

namespace orbsales {
class Connection;
}

namespace orbsales::testing {

// The suite starts copies of itself as independent users of one database (the demo company).
inline const QString kCreateOrdersSwitch = QStringLiteral("--create-orders");
inline const QString kWorkUntilKilledSwitch = QStringLiteral("--work-until-killed");

// Creates and processes `count` orders of three lines each in branch HO, as one user would, on a
// connection of its own. Returns 0 when every one was created and processed; prints each
// failure's ErrDesc to stderr.
int createAndProcessOrders(const QString &connectionString, int count);

// One round on the demo company: a quotation of three lines in branch HO (A100, A200, C300, two
// of each), an order taken over from it and the order processed offline. False (with the failing
// step's ErrDesc on stderr) when a step answers False.
bool quotationToProcessedOrder(Connection &caller, const QString &connectionString, bool atomic);

// A quotation, an order raised from it and the order's processing, over and over until the
// process is killed; every object with AtomicFlag as given. Prints "done" after each round.
int workUntilKilled(const QString &connectionString, bool atomic);

} // namespace orbsales::testing
