#pragma once

#include "orbsales/data/connection.h"
#include "orbsales/data/operation_connection.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <memory>

namespace orbsales::package {

// Makes the writes of one action all-or-nothing. On a connection without a transaction it
// begins one; inside the caller's transaction it sets a savepoint instead, so the caller's
// own work is neither committed nor lost. Unless committed, the destructor undoes the writes.
class WriteUnit {
public:
    explicit WriteUnit(Connection &connection);
    ~WriteUnit();
    WriteUnit(const WriteUnit &) = delete;
    WriteUnit &operator=(const WriteUnit &) = delete;

    void commit();

private:
    Connection &m_connection;
    bool m_savepoint = false;
    bool m_done = false;
};

// Amounts are compared within this tolerance: sums of many Doubles differ in the last digits,
// a real difference is at least a unit of the smallest coin.
bool sameAmount(double a, double b);
// A number an action can work with: finite (not NaN, not infinite).
bool usableNumber(double value);
// Figures in messages: shortest text, at most 15 significant digits.
QString figure(double value);

// Document numbers start with the company (2 characters) and branch (2 characters) prefixes.
QString companyOfDocument(const QString &documentNo);
QString branchOfDocument(const QString &documentNo);

// The value to stamp into Last_Update: the caller's LastUpdate (a Date or its "dd/MMM/yyyy"
// text) when it holds one, else the current date and time. Text that is no date is an error.
QVariant stampOf(const QVariant &lastUpdate);

} // namespace orbsales::package
