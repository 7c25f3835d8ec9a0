#pragma once

#include <QList>
#include <QStringList>
#include <QTextStream>
#include <QVariant>

namespace orbsales {
class LineGrid;
namespace cli {

// Rows under headers in aligned columns, a rule under the headers.
void printTable(QTextStream &out, const QStringList &headers, const QList<QStringList> &rows,
                const QString &indent = QStringLiteral("  "));

// A value as the front end would show it: numbers as their shortest text, Booleans True /
// False, dates as yyyy-MM-dd (with the time when it is not midnight), NULL as (null).
QString displayValue(const QVariant &value);

// The named properties of an object and their values, one per line.
void printFields(QTextStream &out, const QObject &object, const QStringList &names);

// The grid as a table: its header row as column titles, the line rows below, up to the last
// row holding text (the empty rows after it are counted, not printed).
void printGrid(QTextStream &out, const LineGrid &grid);

} // namespace cli
} // namespace orbsales
