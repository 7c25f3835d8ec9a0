#pragma once

#include "orbsales/services/sibling_service.h"

namespace orbsales {

// OrbAccountsExt.DebitCreditNote: posts a saved voucher (Voucher_Master with its
// Voucher_Detail lines) to the ledger and, for its customer lines, to the receivable.
class DebitCreditNote : public SiblingService {
    Q_OBJECT
    ORB_SIBLING_CONNECTION(AdoConnectionObject)
    ORB_SIBLING_PROPERTY(QString, ADOConnectionString)
    ORB_SIBLING_PROPERTY(QString, VoucherNo)
    ORB_SIBLING_PROPERTY(double, manualDocIdentity)
    ORB_SIBLING_PROPERTY(bool, DocFlag)
    ORB_SIBLING_PROPERTY(QVariant, LastUpdate)
public:
    using SiblingService::SiblingService;

    // `voucherNo` names the voucher to post (VoucherNo when it is empty); passed by reference,
    // it holds the number posted afterwards.
    Q_INVOKABLE virtual bool Process_Voucher(QString &voucherNo) = 0;
};

} // namespace orbsales
