#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbCurrency.Currency: the currencies of the package and conversions between the home
// currency and a foreign one.
class Currency : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_PROPERTY(QString, ConnectionString)
    ORB_SIBLING_PROPERTY(QString, Database)
    ORB_SIBLING_DATE_PROPERTY(RateDate)
    ORB_SIBLING_PROPERTY(QString, CurrencyCode)
    ORB_SIBLING_OUTPUT(QString, CurrencyName)
    ORB_SIBLING_OUTPUT(QString, CurrencySymbol)
public:
    using SiblingService::SiblingService;

    // Loads the currency named by CurrencyCode; False when it does not exist.
    Q_INVOKABLE virtual bool Get_Currency() = 0;
    // Home amount -> foreign amount, and back. `currency` is the currency's code or name; with
    // `useRate` True the `exchangeRate` passed in (home units per foreign unit) is used,
    // otherwise the rate in force on RateDate. A conversion that cannot be made raises an
    // error, which the caller's error trap reports.
    Q_INVOKABLE virtual double Convert_Into_FC(const QString &currency, double amount,
                                               const QVariant &unused = QVariant(), bool useRate = false,
                                               double exchangeRate = 0) = 0;
    Q_INVOKABLE virtual double Convert_Into_HC(const QString &currency, double amount,
                                               const QVariant &unused = QVariant(), bool useRate = false,
                                               double exchangeRate = 0) = 0;
};

} // namespace orbsales
