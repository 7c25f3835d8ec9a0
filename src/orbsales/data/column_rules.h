#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QVariant>

namespace orbsales {

class Recordset;

// How a business object writes a property into a column and reads a column back into a
// property: every rule one function, named for what it does with an empty text or a NULL.
namespace columns {

// ---- Writing ---------------------------------------------------------------------------------

// A text stored as it is: an empty text stays an empty text, never NULL (a property that was
// never set holds a null string, which the database layer would otherwise take for NULL).
QVariant exactText(const QString &value);
// An empty text is stored as NULL.
QVariant blankToNull(const QString &value);
// A text that is blank after trimming is stored as NULL; any other text as it is.
QVariant nullWhenBlank(const QString &value);
// A text that is blank after trimming is stored as `instead` (a single or double blank where
// the package keeps a placeholder); any other text as it is.
QVariant placeholderWhenBlank(const QString &value, const QString &instead);

// ---- Reading ---------------------------------------------------------------------------------
// The Recordset's own readers (text, number, integer, flag, date) fail on NULL, as assigning a
// NULL to a typed property does; these are the rules for columns that may be NULL.

// NULL reads as the empty text.
QString textOrEmpty(Recordset &rows, QStringView column);
// NULL reads as 0.
double numberOrZero(Recordset &rows, QStringView column);
// A flag tested for truth: NULL is not true.
bool isTrue(Recordset &rows, QStringView column);
// NULL leaves the property as it was.
void textIfSet(Recordset &rows, QStringView column, QString &property);
void numberIfSet(Recordset &rows, QStringView column, double &property);
void flagIfSet(Recordset &rows, QStringView column, bool &property);
void dateIfSet(Recordset &rows, QStringView column, QDateTime &property);
// Only a non-empty column overrides the property: NULL and the empty text leave it as it was.
void textIfNotEmpty(Recordset &rows, QStringView column, QString &property);

} // namespace columns
} // namespace orbsales
