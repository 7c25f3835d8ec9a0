#pragma once

#include <QDateTime>
#include <QString>

namespace orbsales::dates {

// Date as "dd/MMM/yyyy" with English month abbreviations, e.g. "05/Dec/2026"; "" when invalid.
QString ddMmmYyyy(const QDateTime &value);

// A date written as text, in the forms dates travel in: the stored forms ("yyyy-MM-dd HH:mm:ss",
// with or without milliseconds or a "T", or a date alone) and "dd/MMM/yyyy" (month in any letter
// case). An invalid QDateTime when the text is none of them.
QDateTime parseDate(const QString &text);

// The zero date of an unset Date field: 30 December 1899, 00:00.
QDateTime zeroDate();

} // namespace orbsales::dates
