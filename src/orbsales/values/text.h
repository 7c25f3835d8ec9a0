#pragma once

#include <QString>

namespace orbsales::text {

// Text trimmed of leading and trailing blanks (spaces only; tabs and line breaks stay).
QString trimBlanks(const QString &text);

// True when the text holds nothing but blanks (or nothing at all).
inline bool isBlank(const QString &text) { return trimBlanks(text).isEmpty(); }

} // namespace orbsales::text
