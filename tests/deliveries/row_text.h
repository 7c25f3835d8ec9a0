#pragma once

#include "orbsales/grid/line_grid.h"
#include "services/recording_doubles.h"
#include "services/test_values.h"

#include <QStringList>
#include <QVariantMap>
#include <initializer_list>

namespace orbsales::testing {

// Expected rows, cells and handed-over properties are each written as one literal text:
// cells joined by "|", rows by " / ".
inline QString joined(const QList<QStringList> &rows) {
    QStringList texts;
    for (const QStringList &row : rows)
        texts << row.join(QLatin1Char('|'));
    return texts.join(QStringLiteral(" / "));
}

// The named columns of a table's rows, as rowsOf renders them (dates "yyyy-MM-dd hh:mm").
inline QString rowsText(TestDatabase &db, const QString &table, const QString &columns, const QString &rest = {},
                        const QVariantList &values = {}) {
    return joined(rowsOf(db, table, columns, rest, values));
}

// The named properties, as the traces show values.
inline QString named(const QVariantMap &properties, const char *names) {
    QStringList texts;
    for (const QString &name : QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        texts << traceText(properties.value(name));
    return texts.join(QLatin1Char('|'));
}

// The named properties of each call of the action, in the order made.
inline QString handed(const Recorder &recorder, const QString &action, const char *names) {
    QStringList texts;
    for (const RecordedCall &call : recorder.actions(action))
        texts << named(recorder.propertiesAt(call), names);
    return texts.join(QStringLiteral(" / "));
}

inline QString cellsText(const LineGrid &lines, int row, std::initializer_list<int> columns) {
    QStringList texts;
    for (int col : columns)
        texts << lines.cellText(row, col);
    return texts.join(QLatin1Char('|'));
}
inline QString cellsText(const LineGrid &lines, int row, int first, int last) {
    QStringList texts;
    for (int col = first; col <= last; ++col)
        texts << lines.cellText(row, col);
    return texts.join(QLatin1Char('|'));
}

} // namespace orbsales::testing
