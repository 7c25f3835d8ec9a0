#include "orbsales/values/numbers.h"

#include "orbsales/values/errors.h"

#include <QDate>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace orbsales::numbers {

namespace {

// Numbers are always written and read with '.' and ASCII digits, whatever the user's locale:
// the stored text must read back the same on every machine. std::from_chars / std::to_chars
// never consult the C locale (QCoreApplication sets it from the environment on Unix).

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

[[noreturn]] void throwOverflow() { throw OrbError(QStringLiteral("Overflow")); }

struct Scanned {
    qsizetype end = 0; // one past the last character of the number
    bool found = false;
    double value = 0.0;
};

// Parses ASCII decimal text already checked to match [-]digits[.digits][e[-]digits].
// On a range error tells overflow from underflow by the decimal position of the first
// significant digit, since from_chars leaves the value untouched then.
double parseAscii(const std::string &text, bool negative, const std::string &mantissa, qsizetype pointAt,
                  long long exponent) {
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc())
        return value;
    const auto first = mantissa.find_first_not_of('0');
    if (ec != std::errc::result_out_of_range || first == std::string::npos)
        return negative ? -0.0 : 0.0;
    const long long leadingPower = static_cast<long long>(pointAt) - 1 - static_cast<long long>(first) + exponent;
    if (leadingPower > 0)
        throwOverflow();
    return negative ? -0.0 : 0.0;
}

Scanned scanNumber(QStringView text, qsizetype pos) {
    const qsizetype n = text.size();
    qsizetype i = pos;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::string mantissa;
    while (i < n && isAsciiDigit(text[i]))
        mantissa += static_cast<char>(text[i++].unicode());
    const qsizetype pointAt = static_cast<qsizetype>(mantissa.size());
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isAsciiDigit(text[i]))
            mantissa += static_cast<char>(text[i++].unicode());
    }
    if (mantissa.empty()) // a sign or a '.' alone is no number
        return {};

    Scanned result;
    result.found = true;
    result.end = i;

    // The exponent belongs to the number only when at least one digit follows "e" / "e-".
    std::string exponentText;
    long long exponent = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        bool exponentNegative = false;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            exponentNegative = text[j] == u'-';
            ++j;
        }
        std::string digits;
        while (j < n && isAsciiDigit(text[j]))
            digits += static_cast<char>(text[j++].unicode());
        if (!digits.empty()) {
            result.end = j;
            exponentText = (exponentNegative ? "-" : "") + digits;
            // Saturate: anything this large is out of range anyway; only the sign matters then.
            for (char d : digits)
                exponent = std::min<long long>(exponent * 10 + (d - '0'), 1'000'000);
            if (exponentNegative)
                exponent = -exponent;
        }
    }

    std::string ascii = negative ? "-" : "";
    ascii += pointAt == 0 ? std::string("0") : mantissa.substr(0, pointAt);
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about "literal" + string.
    if (static_cast<qsizetype>(mantissa.size()) > pointAt) {
        ascii += '.';
        ascii.append(mantissa, static_cast<std::size_t>(pointAt));
    }
    if (!exponentText.empty()) {
        ascii += 'e';
        ascii += exponentText;
    }
    result.value = parseAscii(ascii, negative, mantissa, pointAt, exponent);
    return result;
}

// A finite non-zero magnitude as its 15 significant digits: value = d1.d2d3... x 10^exponent.
// Trailing zeros are dropped, so `digits` is never empty and never ends in '0'.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal15(double value) {
    char buffer[40];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                         std::chars_format::scientific, 14);
    Q_ASSERT(ec == std::errc());
    // Layout: "d.ddddddddddddddde[+-]xx[x]"
    const std::string text(buffer, end);
    const auto e = text.find('e');
    Decimal d;
    d.negative = std::signbit(value);
    d.digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    d.exponent = std::stoi(text.substr(e + 1));
    return d;
}

// `digits` x 10^power, read back as the nearest Double.
double fromDigits(bool negative, const std::string &digits, long long power) {
    std::string text = negative ? "-" : "";
    text += digits;
    text += 'e';
    text += std::to_string(power);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

double leadingNumber(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return scanNumber(text, pos).value;
}

std::optional<double> exactNumber(QStringView text) {
    const QStringView trimmed = text.trimmed();
    const Scanned scanned = scanNumber(trimmed, 0);
    if (!scanned.found || scanned.end != trimmed.size())
        return std::nullopt;
    return scanned.value;
}

bool isNumberType(int typeId) {
    switch (typeId) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

QString valueText(const QVariant &value) {
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (isNumberType(value.typeId()))
        return numberText(value.toDouble());
    return value.toString();
}

QString numberText(double value) {
    if (!std::isfinite(value))
        throwOverflow();
    if (value == 0.0)
        return QStringLiteral("0");
    const Decimal d = toDecimal15(value);
    std::string out = d.negative ? "-" : "";
    // Beyond 15 integer digits a plain form would show digits that were never stored; tiny
    // values would drown in leading zeros. Both switch to the exponent form.
    if (d.exponent >= 15 || d.exponent < -4) {
        out += d.digits.substr(0, 1);
        if (d.digits.size() > 1) {
            out += '.';
            out.append(d.digits, 1);
        }
        const int magnitude = std::abs(d.exponent);
        out += d.exponent < 0 ? "E-" : "E+";
        if (magnitude < 10)
            out += "0";
        out += std::to_string(magnitude);
    } else if (d.exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(d.exponent) + 1;
        if (d.digits.size() <= integerDigits) {
            out += d.digits + std::string(integerDigits - d.digits.size(), '0');
        } else {
            out.append(d.digits, 0, integerDigits);
            out += '.';
            out.append(d.digits, integerDigits);
        }
    } else {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

double roundHalfEven(double value, double digits) {
    if (value == 0.0)
        return 0.0;
    if (!std::isfinite(value))
        return value;
    // `!(digits > 0)` also catches NaN; far more places than a Double holds change nothing.
    // The number of places is a whole number, itself rounded half to even (2.5 places are 2).
    const long long places = digits > 0 ? static_cast<long long>(std::min(std::nearbyint(digits), 400.0)) : 0;
    const Decimal d = toDecimal15(value);

    // Number of the 15 significant digits that lie at or above the 10^-places position.
    const long long keep = d.exponent + 1 + places;
    const auto available = static_cast<long long>(d.digits.size());
    if (keep >= available)
        return fromDigits(d.negative, d.digits, d.exponent + 1 - available);
    if (keep < 0) // the first significant digit is below the half of the last kept place
        return 0.0;

    std::string kept = d.digits.substr(0, static_cast<std::size_t>(keep));
    const char next = d.digits[static_cast<std::size_t>(keep)];
    // digits has no trailing zeros, so anything after `next` makes the remainder above half.
    const bool moreAfterNext = keep + 1 < available;
    const bool lastOdd = !kept.empty() && (kept.back() - '0') % 2 == 1;
    const bool up = next > '5' || (next == '5' && (moreAfterNext || lastOdd));
    if (up) {
        auto it = kept.rbegin();
        for (; it != kept.rend() && *it == '9'; ++it)
            *it = '0';
        if (it == kept.rend())
            kept.insert(kept.begin(), '1');
        else
            ++*it;
    }
    if (kept.find_first_not_of('0') == std::string::npos)
        return 0.0; // no negative zero out of rounding
    // The kept digits are a whole number of units of 10^-places.
    return fromDigits(d.negative, kept, -places);
}

qint32 toLong(double value) {
    if (std::isnan(value))
        throwOverflow();
    const double below = std::floor(value);
    const double fraction = value - below;
    double nearest = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        nearest = below + 1.0;
    if (nearest < -2147483648.0 || nearest > 2147483647.0)
        throwOverflow();
    return static_cast<qint32>(nearest);
}

} // namespace orbsales::numbers
