#include "orbsales/data/column_rules.h"

#include "orbsales/data/recordset.h"
#include "orbsales/values/text.h"

namespace orbsales::columns {

QVariant exactText(const QString &value) { return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value); }

QVariant blankToNull(const QString &value) { return value.isEmpty() ? QVariant() : QVariant(value); }

QVariant nullWhenBlank(const QString &value) { return text::isBlank(value) ? QVariant() : QVariant(value); }

QVariant placeholderWhenBlank(const QString &value, const QString &instead) {
    return text::isBlank(value) ? QVariant(instead) : QVariant(value);
}

QString textOrEmpty(Recordset &rows, QStringView column) {
    return rows.isNull(column) ? QString() : rows.text(column);
}

double numberOrZero(Recordset &rows, QStringView column) { return rows.isNull(column) ? 0.0 : rows.number(column); }

bool isTrue(Recordset &rows, QStringView column) { return !rows.isNull(column) && rows.flag(column); }

void textIfSet(Recordset &rows, QStringView column, QString &property) {
    if (!rows.isNull(column))
        property = rows.text(column);
}

void numberIfSet(Recordset &rows, QStringView column, double &property) {
    if (!rows.isNull(column))
        property = rows.number(column);
}

void flagIfSet(Recordset &rows, QStringView column, bool &property) {
    if (!rows.isNull(column))
        property = rows.flag(column);
}

void dateIfSet(Recordset &rows, QStringView column, QDateTime &property) {
    if (!rows.isNull(column))
        property = rows.date(column);
}

void textIfNotEmpty(Recordset &rows, QStringView column, QString &property) {
    if (rows.isNull(column))
        return;
    const QString value = rows.text(column);
    if (!value.isEmpty())
        property = value;
}

} // namespace orbsales::columns
