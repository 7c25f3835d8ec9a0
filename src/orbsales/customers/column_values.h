#pragma once

#include <QString>
#include <QVariant>

// How the customer side writes texts into columns.
namespace orbsales::column_values {

// Empty texts are stored as NULL.
inline QVariant blankToNull(const QString &value) { return value.isEmpty() ? QVariant() : QVariant(value); }

// A text stored as it is: an empty text stays an empty text, never NULL (a property that was
// never set holds a null string, which the database layer would otherwise take for NULL).
inline QVariant exactText(const QString &value) {
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

} // namespace orbsales::column_values
