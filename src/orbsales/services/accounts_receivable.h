#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbAccounts.AccountsReceivable: one receivable line per use, moving the customer's balances;
// ARL_Delete removes the lines of DocumentNo and takes their effect back.
class AccountsReceivable : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, DocumentNo)
    ORB_SIBLING_PROPERTY(QString, DocumentPrefix)
    ORB_SIBLING_DATE_PROPERTY(ARLDate)
    ORB_SIBLING_PROPERTY(QString, CurrencyCode)
    ORB_SIBLING_PROPERTY(QString, CurrencySymbol)
    ORB_SIBLING_PROPERTY(QString, ARLDescription)
    ORB_SIBLING_PROPERTY(QString, ARLComments)
    ORB_SIBLING_PROPERTY(QString, accountno)
    ORB_SIBLING_PROPERTY(QString, CustomerCode)
    ORB_SIBLING_PROPERTY(double, ARLDebitAmount)
    ORB_SIBLING_PROPERTY(double, ARLCreditAmount)
    ORB_SIBLING_PROPERTY(double, FCARLDebitAmount)
    ORB_SIBLING_PROPERTY(double, FCARLCreditAmount)
    ORB_SIBLING_PROPERTY(bool, ForeignCurrencyFlag)
    ORB_SIBLING_PROPERTY(QVariant, LastUpdate)
    // Set by the opening-balance postings; other callers leave it empty and the branch is
    // read from the document number.
    ORB_SIBLING_PROPERTY(QString, BranchPrefix)
public:
    using SiblingService::SiblingService;

    Q_INVOKABLE virtual bool AR_Insert_Transaction() = 0;
    Q_INVOKABLE virtual bool ARL_Delete() = 0;
};

} // namespace orbsales
