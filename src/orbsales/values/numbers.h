#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>

#include <optional>

namespace orbsales::numbers {

// Leading-number rule: skip leading blanks, take the longest prefix that is a decimal number
// (optional sign, digits, at most one '.', optional exponent), ignore the rest; 0 when none.
double leadingNumber(QStringView text);

// The whole text (blanks around it ignored) read as one decimal number in the same syntax;
// nullopt when the text is empty or holds anything else ("12abc", "1,5", "abc").
// Both readers throw OrbError("Overflow") for a magnitude beyond the Double range;
// a magnitude too small for a Double reads as 0.
std::optional<double> exactNumber(QStringView text);

// Shortest text of a number: at most 15 significant digits, no grouping, '.' as separator,
// no trailing zeros ("12.5", "3", "-0.1", "1E+20" style is not used below 1e15).
// Magnitudes from 1e15 up, and below 1e-4, take the exponent form "1.5E+20" / "1E-05"
// (at least two exponent digits); 0 and -0 give "0". A non-finite value is OrbError("Overflow").
QString numberText(double value);

// Whether a value of this type is a number (Booleans included, as the package counts them).
bool isNumberType(int typeId);

// A value as the package writes it as text: a Boolean as "True"/"False", a number in its
// shortest text, anything else as it stands.
QString valueText(const QVariant &value);

// Amounts are stored after a round trip through their text (15 significant digits).
inline double throughText(double value) { return leadingNumber(numberText(value)); }

// Round to `digits` decimals (digits taken as a whole number, itself rounded half to even), a tie
// going to the even digit.
// The value is first taken as its 15-significant-digit decimal text, and the tie is judged on
// that decimal: 2.675 -> 2.68 although the Double is 2.67499999...; negative digits count as 0.
// The result never carries more than 15 significant digits.
double roundHalfEven(double value, double digits);

// Double -> Long, nearest, halves to even. Out of the 32-bit range is an overflow error (OrbError "Overflow").
qint32 toLong(double value);




} // namespace orbsales::numbers
