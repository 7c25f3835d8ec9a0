#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbBank.PDC: a cheque or card receipt registered to await clearance.
class PDC : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, CompanyPrefix)
    ORB_SIBLING_PROPERTY(QString, BranchPrefix)
    ORB_SIBLING_PROPERTY(QString, DocumentPrefix)
    ORB_SIBLING_PROPERTY(QString, TransactionType)
    ORB_SIBLING_PROPERTY(QString, BankName)
    ORB_SIBLING_PROPERTY(QString, ChequeNo)
    ORB_SIBLING_DATE_PROPERTY(PDCDate)
    ORB_SIBLING_DATE_PROPERTY(PDCDueDate)
    ORB_SIBLING_PROPERTY(QString, CreditCardNo)
    ORB_SIBLING_PROPERTY(QString, CreditCardName)
    ORB_SIBLING_PROPERTY(QString, CreditCardCode)
    ORB_SIBLING_PROPERTY(double, ChequeAmount)
    ORB_SIBLING_PROPERTY(QString, Cleared)
    ORB_SIBLING_PROPERTY(QString, CustomerID)
    ORB_SIBLING_PROPERTY(QString, CustomerName)
    ORB_SIBLING_PROPERTY(QString, SourceNo)
    ORB_SIBLING_PROPERTY(QString, SourcePrefix)
    ORB_SIBLING_PROPERTY(QString, Status)
    ORB_SIBLING_PROPERTY(bool, ForeignCurrencyFlag)
    ORB_SIBLING_PROPERTY(QString, CurrencyCode)
    ORB_SIBLING_PROPERTY(double, ChequeFCAmount)
    ORB_SIBLING_PROPERTY(QString, PDCComments)
    ORB_SIBLING_PROPERTY(QVariant, LastUpdate)
public:
    using SiblingService::SiblingService;

    Q_INVOKABLE virtual bool Create_PDC() = 0;
};

} // namespace orbsales
