#include "scenario_values.h"

#include "orbsales/values/numbers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

namespace orbsales::cli::scenario {

namespace {

bool isNumeric(const QVariant &value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isDate(const QVariant &value) {
    return value.typeId() == QMetaType::QDateTime || value.typeId() == QMetaType::QDate;
}

QDateTime dateOf(const QVariant &value) {
    return value.typeId() == QMetaType::QDate ? QDateTime(value.toDate(), QTime(0, 0)) : value.toDateTime();
}

QString isoText(const QDateTime &date) {
    return date.time() == QTime(0, 0) ? date.toString(QStringLiteral("yyyy-MM-dd"))
                                      : date.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

// Equal to 15 significant digits, the precision amounts are stored with.
bool sameNumber(double a, double b) {
    if (a == b)
        return true;
    if (!std::isfinite(a) || !std::isfinite(b))
        return false;
    return numbers::numberText(a) == numbers::numberText(b);
}

std::optional<double> numberIn(const QVariant &actual) {
    if (isNumeric(actual))
        return actual.toDouble();
    if (actual.typeId() == QMetaType::QString)
        return numbers::exactNumber(actual.toString());
    return std::nullopt;
}

std::optional<bool> flagIn(const QVariant &actual) {
    if (actual.typeId() == QMetaType::Bool)
        return actual.toBool();
    if (actual.typeId() == QMetaType::QString) {
        const QString text = actual.toString().trimmed();
        if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    const std::optional<double> number = numberIn(actual);
    if (number && (*number == 0 || *number == 1))
        return *number == 1;
    return std::nullopt;
}

std::optional<QVariant> wholeNumber(const QJsonValue &value, double low, double high, QString &error) {
    if (!value.isDouble()) {
        error = QStringLiteral("a whole number is needed, got %1").arg(kindOf(value));
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (number != std::floor(number)) {
        error = QStringLiteral("a whole number is needed, got %1").arg(numbers::numberText(number));
        return std::nullopt;
    }
    if (number < low || number > high) {
        error = QStringLiteral("%1 is out of range").arg(numbers::numberText(number));
        return std::nullopt;
    }
    return QVariant(number);
}

} // namespace

QString kindOf(const QJsonValue &value) {
    switch (value.type()) {
    case QJsonValue::String:
        return QStringLiteral("text");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::Bool:
        return QStringLiteral("true/false");
    case QJsonValue::Array:
        return QStringLiteral("a list");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    default:
        return QStringLiteral("null");
    }
}

std::optional<QDateTime> parseIsoDate(const QString &text) {
    static const char *const formats[] = {"yyyy-MM-dd", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm:ss",
                                          "yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss.zzz"};
    for (const char *format : formats) {
        const QString pattern = QString::fromLatin1(format);
        if (text.size() != pattern.size())
            continue;
        QDateTime value = QDateTime::fromString(text, pattern);
        if (value.isValid())
            return value;
    }
    return std::nullopt;
}

std::optional<QVariant> convert(const QJsonValue &value, QMetaType type, QString &error) {
    switch (type.id()) {
    case QMetaType::QString:
        if (value.isString())
            return QVariant(value.toString());
        error = QStringLiteral("text is needed, got %1").arg(kindOf(value));
        return std::nullopt;
    case QMetaType::Double:
    case QMetaType::Float:
        if (value.isDouble())
            return QVariant(value.toDouble());
        error = QStringLiteral("a number is needed, got %1").arg(kindOf(value));
        return std::nullopt;
    case QMetaType::Int:
    case QMetaType::Long: {
        auto number = wholeNumber(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), error);
        return number ? std::optional<QVariant>(QVariant(qint32(number->toDouble()))) : std::nullopt;
    }
    case QMetaType::Short: {
        auto number = wholeNumber(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max(), error);
        return number ? std::optional<QVariant>(QVariant::fromValue(qint16(number->toDouble()))) : std::nullopt;
    }
    case QMetaType::LongLong: {
        auto number = wholeNumber(value, -9007199254740992.0, 9007199254740992.0, error);
        return number ? std::optional<QVariant>(QVariant(qint64(number->toDouble()))) : std::nullopt;
    }
    case QMetaType::Bool:
        if (value.isBool())
            return QVariant(value.toBool());
        if (value.isDouble() && (value.toDouble() == 0 || value.toDouble() == 1))
            return QVariant(value.toDouble() == 1);
        error = QStringLiteral("true or false is needed, got %1").arg(kindOf(value));
        return std::nullopt;
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
        std::optional<QDateTime> date = value.isString() ? parseIsoDate(value.toString()) : std::nullopt;
        if (!date) {
            error = QStringLiteral("a date as \"yyyy-MM-dd\" or \"yyyy-MM-ddTHH:mm:ss\" is needed, got %1")
                        .arg(value.isString() ? showExpected(value) : kindOf(value));
            return std::nullopt;
        }
        return type.id() == QMetaType::QDate ? QVariant(date->date()) : QVariant(*date);
    }
    case QMetaType::QVariant:
        if (value.isArray() || value.isObject()) {
            error = QStringLiteral("a single value is needed, got %1").arg(kindOf(value));
            return std::nullopt;
        }
        return toBindValue(value);
    default:
        error = QStringLiteral("values of type %1 cannot be given in a scenario").arg(QString::fromLatin1(type.name()));
        return std::nullopt;
    }
}

bool matches(const QVariant &actual, const QJsonValue &expected) {
    const bool actualNull = !actual.isValid() || actual.isNull();
    if (expected.isNull() || expected.isUndefined())
        return actualNull;
    if (actualNull)
        return false;
    switch (expected.type()) {
    case QJsonValue::Bool: {
        const std::optional<bool> flag = flagIn(actual);
        return flag && *flag == expected.toBool();
    }
    case QJsonValue::Double: {
        if (actual.typeId() == QMetaType::Bool)
            return (actual.toBool() ? 1.0 : 0.0) == expected.toDouble();
        const std::optional<double> number = numberIn(actual);
        return number && sameNumber(*number, expected.toDouble());
    }
    case QJsonValue::String: {
        const QString text = expected.toString();
        if (isDate(actual)) {
            const std::optional<QDateTime> wanted = parseIsoDate(text);
            return wanted && *wanted == dateOf(actual);
        }
        if (actual.typeId() != QMetaType::QString)
            return false;
        if (actual.toString() == text)
            return true;
        // A date that the database hands back as text ("2026-12-05 00:00:00").
        const std::optional<QDateTime> wanted = parseIsoDate(text);
        const std::optional<QDateTime> stored = parseIsoDate(actual.toString());
        return wanted && stored && *wanted == *stored;
    }
    default:
        return false;
    }
}

QString showExpected(const QJsonValue &expected) {
    if (expected.isDouble())
        return numbers::numberText(expected.toDouble());
    QJsonArray wrapper{expected};
    QString text = QString::fromUtf8(QJsonDocument(wrapper).toJson(QJsonDocument::Compact));
    return text.mid(1, text.size() - 2); // without the brackets
}

QString showActual(const QVariant &actual) {
    if (!actual.isValid() || actual.isNull())
        return QStringLiteral("null");
    if (isDate(actual))
        return QLatin1Char('"') + isoText(dateOf(actual)) + QLatin1Char('"');
    if (actual.metaType().flags() & QMetaType::PointerToQObject)
        return actual.value<QObject *>() ? QStringLiteral("an object") : QStringLiteral("nothing");
    return showExpected(toScenarioValue(actual));
}

QJsonValue toScenarioValue(const QVariant &value) {
    if (!value.isValid() || value.isNull())
        return QJsonValue(QJsonValue::Null);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isNumeric(value))
        return value.toDouble();
    if (isDate(value))
        return isoText(dateOf(value));
    return value.toString();
}

QVariant toBindValue(const QJsonValue &value) {
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double:
        return value.toDouble();
    case QJsonValue::Bool:
        return value.toBool();
    default:
        return QVariant();
    }
}

} // namespace orbsales::cli::scenario
