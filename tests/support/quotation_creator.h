#pragma once

#include <QString>

namespace orbsales::testing {

inline const QString kCreateQuotationsSwitch = QStringLiteral("--create-quotations");

// Creates `count` quotations of three lines each on the database, as one user of it would.
// Returns 0 when every one was created; prints each failure's ErrDesc to stderr.
int createQuotations(const QString &connectionString, int count);

} // namespace orbsales::testing
