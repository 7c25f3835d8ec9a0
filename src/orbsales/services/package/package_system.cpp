#include "orbsales/services/package/package_system.h"

#include "orbsales/data/schema.h"
#include "orbsales/services/package/package_messages.h"
#include "orbsales/services/package/package_support.h"
#include "orbsales/values/dates.h"

namespace orbsales::package {

namespace msg = messages;

namespace {

const schema::Table &knownTable(const QString &name) {
    const schema::Table *table = schema::Schema::instance().table(name.trimmed());
    if (table == nullptr)
        throw OrbError(msg::unknownTable(name));
    return *table;
}

const schema::Column &knownColumn(const schema::Table &table, const QString &name) {
    const schema::Column *column = table.column(name.trimmed());
    if (column == nullptr)
        throw OrbError(msg::unknownColumn(table.name, name));
    return *column;
}

// The value as the column holds it. Compared as a number, the value must be one; a text
// column then compares with the number's text.
QVariant boundValue(const schema::Column &column, const QVariant &value, bool numeric) {
    QVariant given = value;
    if (numeric) {
        const std::optional<double> number = numbers::exactNumber(value.toString());
        if (!number)
            throw OrbError(msg::notANumberFor(column.name, value.toString()));
        given = *number;
    } else if (given.typeId() != QMetaType::QString && given.typeId() != QMetaType::QDateTime) {
        given = given.toString();
    }
    try {
        return schema::coerce(column.type, given);
    } catch (const DatabaseError &) {
        if (column.type == schema::ColumnType::Date)
            throw OrbError(msg::notADate(column.name, value.toString()));
        throw OrbError(msg::notANumberFor(column.name, value.toString()));
    }
}

QString asText(const schema::Column &column, const QVariant &stored) {
    const QVariant value = schema::fromDatabase(column.type, stored);
    if (value.isNull())
        return {};
    switch (column.type) {
    case schema::ColumnType::Double:
        return numbers::numberText(value.toDouble());
    case schema::ColumnType::Date:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default:
        return value.toString();
    }
}

} // namespace

QString PackageGeneral::GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                                    const QVariant &WhereFldValue, bool WhereFldNumYN,
                                    const QString &SecondWhereFldName, const QVariant &SecondWhereFldValue,
                                    bool SecdWhereFldNumYN) {
    QString answer;
    trapped([&] {
        const schema::Table &table = knownTable(TblName);
        const schema::Column &field = knownColumn(table, fldName);
        QString sql = QStringLiteral("Select %1 from %2").arg(field.name, table.name);
        QVariantList values;
        if (!WhereFldName.trimmed().isEmpty()) {
            const schema::Column &where = knownColumn(table, WhereFldName);
            sql += QStringLiteral(" Where %1 = ?").arg(where.name);
            values << boundValue(where, WhereFldValue, WhereFldNumYN);
            if (!SecondWhereFldName.trimmed().isEmpty()) {
                const schema::Column &second = knownColumn(table, SecondWhereFldName);
                sql += QStringLiteral(" and %1 = ?").arg(second.name);
                values << boundValue(second, SecondWhereFldValue, SecdWhereFldNumYN);
            }
        }
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const Connection::Result result = db->select(sql, values);
        if (!result.rows.isEmpty())
            answer = asText(field, result.rows.first().first());
        return true;
    });
    return answer;
}

bool PackageGeneral::ExistDocument(const QString &table, const QString &column, const QVariant &value, bool numeric) {
    return trapped([&] {
        const schema::Table &known = knownTable(table);
        const schema::Column &where = knownColumn(known, column);
        const QVariant bound = boundValue(where, value, numeric);
        auto db = OperationConnection::borrowOrOpen(AdoConnectionObject(), ADOConnectionString(), messages::kNoConnection);
        const int rows =
            db->scalar(QStringLiteral("Select count(*) from %1 Where %2 = ?").arg(known.name, where.name), {bound})
                .toInt();
        if (rows == 0)
            return fail(msg::noSuchRow(known.name, where.name, value.toString()));
        return true;
    });
}

bool PackageCurrency::Get_Currency() {
    return trapped([this] {
        auto db = OperationConnection::borrowOrOpen(nullptr, ConnectionString(), messages::kNoConnection);
        const Connection::Result found = db->select(
            QStringLiteral("Select Currency_Name, Currency_Symbol from Currency_Master Where Currency_Code = ?"),
            {CurrencyCode()});
        if (found.rows.isEmpty())
            return fail(msg::unknownCurrency(CurrencyCode()));
        reportCurrencyName(found.rows.first().at(0).toString().trimmed());
        reportCurrencySymbol(found.rows.first().at(1).toString().trimmed());
        return true;
    });
}

// Whether the currency, named by its code or its name, is the home currency.
bool PackageCurrency::isHomeCurrency(const QString &currency) {
    auto db = OperationConnection::borrowOrOpen(nullptr, ConnectionString(), messages::kNoConnection);
    return db->scalar(QStringLiteral("Select count(*) from Currency_Master Where (Currency_Code = ? or "
                                     "Currency_Name = ?) and Home_Currency_Flag <> 0"),
                      {currency, currency})
               .toInt() > 0;
}

double PackageCurrency::rateFor(const QString &currency, bool useRate, double exchangeRate) {
    // A rate of 0 is no rate at all: an amount in the home currency still converts, at 1. (Customers'
    // opening items are converted whatever their currency, and the home currency's carry no rate.)
    if (useRate && !(exchangeRate == 0 && isHomeCurrency(currency))) {
        if (!usableNumber(exchangeRate) || exchangeRate <= 0)
            throw OrbError(msg::notPositive(QStringLiteral("The exchange rate"), figure(exchangeRate)));
        return exchangeRate;
    }
    // The currency is named by its code or, by some callers, by its name.
    auto db = OperationConnection::borrowOrOpen(nullptr, ConnectionString(), messages::kNoConnection);
    const Connection::Result found =
        db->select(QStringLiteral("Select Currency_Code, Home_Currency_Flag, Exchange_Rate from Currency_Master "
                                  "Where Currency_Code = ? or Currency_Name = ?"),
                   {currency, currency});
    if (found.rows.isEmpty())
        throw OrbError(msg::unknownCurrency(currency));
    const QVariantList &row = found.rows.first();
    if (row.at(1).toInt() != 0)
        return 1;
    const QVariant dated =
        db->scalar(QStringLiteral("Select Exchange_Rate from Currency_Rate Where Currency_Code = ? and Rate_Date <= ? "
                                  "Order by Rate_Date Desc"),
                   {row.at(0).toString(), RateDate()});
    const double rate = dated.isNull() ? row.at(2).toDouble() : dated.toDouble();
    if (!usableNumber(rate) || rate <= 0)
        throw OrbError(msg::noRate(currency, dates::ddMmmYyyy(RateDate())));
    return rate;
}

double PackageCurrency::Convert_Into_FC(const QString &currency, double amount, const QVariant &, bool useRate,
                                        double exchangeRate) {
    try {
        if (!usableNumber(amount))
            throw OrbError(msg::notANumber(QStringLiteral("The amount")));
        return amount / rateFor(currency, useRate, exchangeRate);
    } catch (const OrbError &error) {
        setErrDesc(error.description()); // and the caller's error trap reports it
        throw;
    }
}

double PackageCurrency::Convert_Into_HC(const QString &currency, double amount, const QVariant &, bool useRate,
                                        double exchangeRate) {
    try {
        if (!usableNumber(amount))
            throw OrbError(msg::notANumber(QStringLiteral("The amount")));
        return amount * rateFor(currency, useRate, exchangeRate);
    } catch (const OrbError &error) {
        setErrDesc(error.description());
        throw;
    }
}

} // namespace orbsales::package
