#pragma once

#include "orbsales/services/debit_credit_note.h"

namespace orbsales::package {

// Posts a saved voucher: every Voucher_Detail line becomes a ledger line on its account (with
// its balance moved), and every line of Voucher_Type "Customer" also a receivable line of the
// voucher's customer. The voucher must balance in both currencies and every account must be
// in the chart; then all of it is written at once and the voucher is marked processed. With
// DocFlag the counter of the voucher's prefix is raised past manualDocIdentity, as after any
// document saved under a typed number.
class PackageDebitCreditNote : public DebitCreditNote {
    Q_OBJECT
public:
    using DebitCreditNote::DebitCreditNote;

    bool Process_Voucher(QString &voucherNo) override;
};

} // namespace orbsales::package
