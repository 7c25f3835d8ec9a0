#include "orbsales/values/dates.h"

#include <QDate>
#include <QStringList>
#include <optional>

namespace orbsales::dates {

namespace {
// Month names are fixed English abbreviations: the text goes into documents and stored fields
// that must not change with the user's language.
constexpr const char *kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// The digits of text[from, from + count), or -1 when one of them is no digit.
int digits(QStringView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The forms dates are stored and handed over in ("yyyy-MM-dd", then " HH:mm:ss" or "THH:mm:ss",
// then maybe ".zzz") read straight from their digits: the general parser asks the time zone for
// every field it tries, which made reading dates most of what processing a document cost. The same
// value as the general parser gives; anything else (another form, a date or time that does not
// exist) is left to it.
std::optional<QDateTime> storedForm(QStringView text) {
    const qsizetype size = text.size();
    if ((size != 10 && size != 19 && size != 23) || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    const int year = digits(text, 0, 4);
    const QDate date(year, digits(text, 5, 2), digits(text, 8, 2));
    if (year < 0 || !date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (size > 10) {
        if ((text[10] != u' ' && text[10] != u'T') || text[13] != u':' || text[16] != u':' ||
            (size == 23 && text[19] != u'.'))
            return std::nullopt;
        const int hour = digits(text, 11, 2), minute = digits(text, 14, 2), second = digits(text, 17, 2);
        const int millisecond = size == 23 ? digits(text, 20, 3) : 0;
        if (hour < 0 || minute < 0 || second < 0 || millisecond < 0 ||
            !QTime::isValid(hour, minute, second, millisecond))
            return std::nullopt;
        time = QTime(hour, minute, second, millisecond);
    }
    QDateTime value(date, time);
    if (!value.isValid() || value.date() != date || value.time() != time)
        return std::nullopt; // a local time the clocks skip
    return value;
}

} // namespace

QString ddMmmYyyy(const QDateTime &value) {
    const QDate date = value.date();
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(kMonths[date.month() - 1]))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDateTime parseDate(const QString &text) {
    static const char *const formats[] = {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss",
                                          "yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-dd"};
    const QString trimmed = text.trimmed();
    if (const std::optional<QDateTime> stored = storedForm(trimmed))
        return *stored;
    // None of the formats has a slash; trying them on "06/Dec/2026" only costs time.
    if (!trimmed.contains(QLatin1Char('/'))) {
        for (const char *format : formats) {
            QDateTime value = QDateTime::fromString(trimmed, QString::fromLatin1(format));
            if (value.isValid())
                return value;
        }
    }
    const QStringList parts = trimmed.split(QLatin1Char('/'));
    if (parts.size() == 3) {
        for (int m = 0; m < 12; ++m) {
            if (parts[1].compare(QLatin1String(kMonths[m]), Qt::CaseInsensitive) == 0) {
                const QDate date(parts[2].toInt(), m + 1, parts[0].toInt());
                if (date.isValid())
                    return QDateTime(date, QTime(0, 0));
            }
        }
    }
    return {};
}

QDateTime zeroDate() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0)); }

} // namespace orbsales::dates
