#pragma once

#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general_ledger.h"

#include <optional>

namespace orbsales::package {

// The general ledger over General_Ledger and Chart_Of_Accounts. GLInsert writes the line only;
// the caller moves the balance with COAPosting, as every posting of the package does.
class PackageGeneralLedger : public GeneralLedger {
    Q_OBJECT
public:
    using GeneralLedger::GeneralLedger;

    bool GLInsert() override;
    bool COAPosting(const QString &accountNo, double amount) override;
    bool GLDelete() override;

private:
    // The line GLInsert wrote last, which the following COAPosting moves the balance for.
    struct PostedLine {
        QString account;
        double net = 0; // debit - credit
    };
    std::optional<PostedLine> m_lastLine;
};

// The receivable over Accounts_Receivable_Ledger: each line moves Customer_Master.Customer_Balance
// and the branch's Customer_Master_Balance balances (home and foreign) by debit minus credit.
class PackageAccountsReceivable : public AccountsReceivable {
    Q_OBJECT
public:
    using AccountsReceivable::AccountsReceivable;

    bool AR_Insert_Transaction() override;
    bool ARL_Delete() override;
};

} // namespace orbsales::package
