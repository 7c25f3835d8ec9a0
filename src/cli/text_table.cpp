#include "text_table.h"

#include "safe_output.h"

#include "orbsales/grid/line_grid.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>
#include <algorithm>

namespace orbsales::cli {

void printTable(QTextStream &out, const QStringList &headers, const QList<QStringList> &stored,
                const QString &indent) {
    // Control characters are escaped before the columns are measured, so that they line up.
    QList<QStringList> rows;
    for (const QStringList &row : stored) {
        QStringList shown;
        for (const QString &cell : row)
            shown << printable(cell);
        rows << shown;
    }
    QList<qsizetype> widths;
    for (const QString &header : headers)
        widths << header.size();
    for (const QStringList &row : rows)
        for (qsizetype c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    auto line = [&](const QStringList &cells) {
        QString text = indent;
        for (qsizetype c = 0; c < widths.size(); ++c) {
            const QString cell = cells.value(c);
            text += c + 1 < widths.size() ? cell.leftJustified(widths[c]) + QStringLiteral("  ") : cell;
        }
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        out << text << '\n';
    };
    line(headers);
    QStringList rules;
    for (qsizetype width : widths)
        rules << QString(width, QLatin1Char('-'));
    line(rules);
    for (const QStringList &row : rows)
        line(row);
}

QString displayValue(const QVariant &value) {
    if (!value.isValid() || value.isNull())
        return QStringLiteral("(null)");
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return numbers::numberText(value.toDouble());
    case QMetaType::QDateTime: {
        const QDateTime date = value.toDateTime();
        return date.time() == QTime(0, 0) ? date.toString(QStringLiteral("yyyy-MM-dd"))
                                          : date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        break;
    }
    if (value.metaType().flags() & QMetaType::PointerToQObject)
        return value.value<QObject *>() ? QStringLiteral("(object)") : QStringLiteral("(nothing)");
    return value.toString();
}

void printFields(QTextStream &out, const QObject &object, const QStringList &names) {
    qsizetype width = 0;
    for (const QString &name : names)
        width = std::max(width, name.size());
    for (const QString &name : names)
        out << "  " << name.leftJustified(width) << "  " << displayValue(object.property(name.toLatin1().constData()))
            << '\n';
}

void printGrid(QTextStream &out, const LineGrid &grid) {
    int lastRow = 0;
    int lastCol = 0;
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int col = 1; col < grid.columnCount(); ++col) {
            if (!grid.cellText(row, col).isEmpty()) {
                lastCol = std::max(lastCol, col);
                if (row > 0)
                    lastRow = row;
            }
        }
    }
    QStringList headers{QStringLiteral("Row")};
    for (int col = 1; col <= lastCol; ++col) {
        const QString title = grid.rowCount() > 0 ? grid.cellText(0, col) : QString();
        headers << (title.isEmpty() ? QString::number(col) : title);
    }
    QList<QStringList> rows;
    for (int row = 1; row <= lastRow; ++row) {
        QStringList cells{QString::number(row)};
        for (int col = 1; col <= lastCol; ++col)
            cells << grid.cellText(row, col);
        rows << cells;
    }
    printTable(out, headers, rows);
    const int emptyRows = std::max(0, grid.rowCount() - 1 - lastRow);
    out << "  (" << grid.rowCount() << " rows including the header";
    if (emptyRows > 0)
        out << "; the last " << emptyRows << (emptyRows == 1 ? " is" : " are") << " empty";
    out << ")\n";
}

} // namespace orbsales::cli
