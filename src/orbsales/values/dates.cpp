#include "orbsales/values/dates.h"

#include <QDate>
#include <QStringList>

namespace orbsales::dates {

namespace {
// Month names are fixed English abbreviations: the text goes into documents and stored fields
// that must not change with the user's language.
constexpr const char *kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
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
    for (const char *format : formats) {
        QDateTime value = QDateTime::fromString(trimmed, QString::fromLatin1(format));
        if (value.isValid())
            return value;
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
