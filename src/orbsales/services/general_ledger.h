#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbAccounts.GeneralLedger: one ledger line per use. GLInsert writes the line; the caller
// then moves the account's balance with COAPosting (debits positive, credits negative).
// GLDelete removes every line of DocumentNo and takes their effect back out of the balances.
class GeneralLedger : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, DocumentNo)
    ORB_SIBLING_PROPERTY(QString, DocumentPrefix)
    ORB_SIBLING_DATE_PROPERTY(GLDate)
    ORB_SIBLING_PROPERTY(QString, CurrencyCode)
    ORB_SIBLING_PROPERTY(QString, CurrencySymbol)
    ORB_SIBLING_PROPERTY(QString, GLDescription)
    ORB_SIBLING_PROPERTY(QString, GLComments)
    ORB_SIBLING_PROPERTY(QString, accountno)
    ORB_SIBLING_PROPERTY(double, GLDebitAmount)
    ORB_SIBLING_PROPERTY(double, GLCreditAmount)
    ORB_SIBLING_PROPERTY(double, FCGLDebitAmount)
    ORB_SIBLING_PROPERTY(double, FCGLCreditAmount)
    ORB_SIBLING_PROPERTY(bool, ForeignCurrencyFlag)
    // The document's date, or that date as "dd/MMM/yyyy" text: callers pass either.
    ORB_SIBLING_PROPERTY(QVariant, LastUpdate)
public:
    using SiblingService::SiblingService;

    Q_INVOKABLE virtual bool GLInsert() = 0;
    Q_INVOKABLE virtual bool COAPosting(const QString &accountNo, double amount) = 0;
    Q_INVOKABLE virtual bool GLDelete() = 0;
};

} // namespace orbsales
