#pragma once

#include "orbsales/services/currency.h"
#include "orbsales/services/general.h"

namespace orbsales::package {

// General lookups with bound values. Table and column names must be those of the package's
// schema (the one allow-list); anything else is refused before any statement is built.
class PackageGeneral : public General {
    Q_OBJECT
public:
    using General::General;

    QString GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                        const QVariant &WhereFldValue, bool WhereFldNumYN, const QString &SecondWhereFldName,
                        const QVariant &SecondWhereFldValue, bool SecdWhereFldNumYN) override;
    bool ExistDocument(const QString &table, const QString &column, const QVariant &value, bool numeric) override;
};

// Currencies from Currency_Master; rates from Currency_Rate (the latest on or before RateDate),
// else the currency's Exchange_Rate; the home currency's rate is 1. A rate is home units per
// foreign unit: foreign = home / rate, home = foreign x rate, unrounded. A rate passed in must
// be above 0, except that the home currency converts at 1 when the rate passed in is 0.
class PackageCurrency : public Currency {
    Q_OBJECT
public:
    using Currency::Currency;

    bool Get_Currency() override;
    double Convert_Into_FC(const QString &currency, double amount, const QVariant &unused, bool useRate,
                           double exchangeRate) override;
    double Convert_Into_HC(const QString &currency, double amount, const QVariant &unused, bool useRate,
                           double exchangeRate) override;

private:
    double rateFor(const QString &currency, bool useRate, double exchangeRate);
    bool isHomeCurrency(const QString &currency);
};

} // namespace orbsales::package
