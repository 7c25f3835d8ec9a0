#include "orbsales/cashmemos/cash_memo.h"

#include "orbsales/cashmemos/cashmemo_messages.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/posting.h"
#include "orbsales/frame/registry.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/project_transaction.h"
#include "orbsales/services/sales_log.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/text.h"

#include <cmath>

namespace orbsales {

namespace msg = cashmemo_messages;
using posting::LedgerLine;

namespace {

const QString kPosSalesReturn = QStringLiteral("POS Sales Return");

// A text column of the line, empty when NULL.
QString textOf(Recordset &line, QStringView column) { return columns::textOrEmpty(line, column); }
double numberOf(Recordset &line, QStringView column) { return columns::numberOrZero(line, column); }

} // namespace

bool CashMemo::Save_CashMemo_Sales_Log(Recordset &line) {
    auto log = createObject<SalesLog>(service_ids::kSalesLog);
    log->setAdoConnectionObject(&connection());
    log->setSalesDocumentNo(m_CashMemoNo);
    log->setCompanyPrefix(m_CompanyPrefix);
    log->setBranchPrefix(m_BranchPrefix);
    log->setDocumentPrefix(m_SalesLogPrefix);
    log->setRefDocumentPrefix(m_ReferencePrefix);
    log->setItemCode(textOf(line, u"Item_Code"));
    log->setItemName(textOf(line, u"Item_Name"));
    log->setUnitCode(numberOf(line, u"Unit_Code"));
    log->setUnitName(textOf(line, u"Unit_Name"));
    const QString period = textOf(line, u"Period_Type");
    if (!period.isEmpty())
        log->setPeriodType(period);
    log->setFOC_Flag(columns::isTrue(line, u"FOC_Flag"));
    log->setUnitQty(numberOf(line, u"Unit_Qty"));
    // The line as sold: its quantity (negative for a returned line), amount and unit price.
    log->setSalesQty(numberOf(line, u"Cash_Memo_Qty"));
    log->setSalesItemAmount(numberOf(line, u"Cash_Memo_Item_Amount"));
    log->setSalesUnitPrice(numberOf(line, u"Cash_Memo_Unit_Price"));
    log->setSalesLogDate(m_CashMemoDate);
    log->setSalesDocumentPrefix(m_DocumentPrefix);
    log->setLastUpdate(m_LastUpdate);
    const QString project = text::trimBlanks(textOf(line, u"Proj_No"));
    if (!project.isEmpty())
        log->setProjNo(project);
    return posting::answered(log->Create_SalesLog(), *log, errDescTarget());
}

bool CashMemo::Post_CashMemo_Sales_Line(Recordset &line) {
    const QString itemCode = textOf(line, u"Item_Code");
    QString account;
    if (!text::isBlank(itemCode) && numberOf(line, u"Unit_Code") != 0) {
        posting::ItemAccounts accounts;
        if (!posting::itemAccounts(connection(), itemCode, m_CompanyPrefix, m_BranchPrefix, accounts, errDescTarget()))
            return false;
        account = text::trimBlanks(accounts.cashSales);
        if (account.isEmpty())
            return fail(msg::kInvalidCashSalesAccount);
    } else {
        Recordset preferences;
        preferences.open(QStringLiteral("Select Cash_Sales_Account_No,FOC_Account_No from Default_Sales_Preferences "
                                        "Where Branch_Prefix=?"),
                         {m_BranchPrefix}, connection(), CursorType::Static);
        if (preferences.eof())
            return fail(msg::kSetSalesDefaults);
        account = text::trimBlanks(columns::textOrEmpty(preferences, u"Cash_Sales_Account_No"));
        if (account.isEmpty())
            return fail(msg::kInvalidDefaultSalesAccount);
    }
    const double quantity = numberOf(line, u"Cash_Memo_Qty");
    const double gross = rounded(quantity * numberOf(line, u"Cash_Memo_Unit_Price"));
    const double discount = rounded(quantity * numberOf(line, u"Cash_Memo_Disc_Amount"));
    const double fcDiscount = rounded(quantity * numberOf(line, u"Cash_Memo_FC_Disc_Amount"));
    // Every line's discount counts, a returned line's (negative) one giving the discount back.
    m_discountTotal += discount;
    m_fcDiscountTotal += fcDiscount;

    LedgerLine ledger{account, QStringLiteral("Sales Account : ItemCode - ") + itemCode.mid(2), {}, 0, 0, 0, 0};
    if (isPointOfSale() && quantity < 0) {
        ledger.comments = kPosSalesReturn;
        ledger.debit = std::fabs(gross);
        ledger.fcDebit = std::fabs(rounded(quantity * numberOf(line, u"Cash_Memo_FC_Unit_Price")));
    } else {
        ledger.credit = numberOf(line, u"Cash_Memo_Item_Amount") + discount;
        ledger.fcCredit = numberOf(line, u"Cash_Memo_FC_Item_Amount") + fcDiscount;
    }
    // The chart moves by the gross amount of the line, whatever its ledger line says.
    if (!posting::postLedgerLine(connection(), documentRef(), ledger, -gross, errDescTarget()))
        return false;
    // Which account the line was posted to, so that the books can still be read after cancelling.
    line.setValue(u"Sales_Account_No", account);
    line.update();
    return true;
}

bool CashMemo::Post_CashMemo_Discount() {
    const QString account = posting::preferenceValue(connection(), QStringLiteral("Default_Sales_Preferences"),
                                                     QStringLiteral("Sales_Disc_Account_No"), m_CompanyPrefix,
                                                     m_BranchPrefix);
    if (account.isEmpty())
        return fail(msg::kInvalidDefaultDiscountAccount);
    const LedgerLine ledger{account, QStringLiteral("Discount Account"), m_CashMemoComments, m_discountTotal, 0,
                            m_fcDiscountTotal, 0};
    return posting::postLedgerLine(connection(), documentRef(), ledger, errDescTarget());
}

// The cash taken. A point-of-sale memo takes in what its sold lines come to and pays the refund
// of its returned lines out again (POS_Return_Cash_Posting): the till moves by the memo's total.
bool CashMemo::Post_CashMemo_Cash() {
    const QString account = posting::preferenceValue(connection(), QStringLiteral("Default_Account_Preferences"),
                                                     QStringLiteral("Cash_Memo_Account_No"), m_CompanyPrefix,
                                                     m_BranchPrefix);
    if (account.isEmpty())
        return fail(msg::kInvalidDefaultCashMemoAccount);
    const auto [refund, fcRefund] = isPointOfSale() ? refunds() : std::pair<double, double>{0, 0};
    const LedgerLine ledger{account, QStringLiteral("Cash Memo Account"), m_CashMemoComments,
                            m_CashMemoTotalAmount + refund, 0, m_CashMemoFCTotalAmount + fcRefund, 0};
    return posting::postLedgerLine(connection(), documentRef(), ledger, errDescTarget());
}

bool CashMemo::Post_CashMemo_Receivable() {
    QString account;
    if (!posting::receivableAccount(connection(), m_CustomerCode, m_BranchPrefix, account, errDescTarget()))
        return false;
    const QString description = QStringLiteral("Accounts Receivable : Customer Code - ") + m_CustomerCode;
    auto receivable = createObject<AccountsReceivable>(service_ids::kAccountsReceivable);
    receivable->setAdoConnectionObject(&connection());
    receivable->setDocumentNo(m_CashMemoNo);
    receivable->setDocumentPrefix(m_DocumentPrefix);
    receivable->setARLDate(m_CashMemoDate);
    receivable->setCurrencyCode(m_CurrencyCode);
    receivable->setCurrencySymbol(m_CurrencySymbol);
    receivable->setARLDescription(description);
    receivable->setARLComments(m_CashMemoComments);
    receivable->setaccountno(account);
    receivable->setCustomerCode(m_CustomerCode);
    receivable->setARLCreditAmount(0);
    receivable->setFCARLCreditAmount(0);
    receivable->setARLDebitAmount(m_CashMemoTotalAmount);
    receivable->setFCARLDebitAmount(m_CashMemoFCTotalAmount);
    receivable->setForeignCurrencyFlag(m_ForeignCurrencyFlag);
    receivable->setLastUpdate(m_LastUpdate);
    if (!posting::answered(receivable->AR_Insert_Transaction(), *receivable, errDescTarget()))
        return false;
    const LedgerLine ledger{account, description, m_CashMemoComments, m_CashMemoTotalAmount, 0,
                            m_CashMemoFCTotalAmount, 0};
    return posting::postLedgerLine(connection(), documentRef(), ledger, errDescTarget());
}

// A project's revenue from the memo: each line's amount, a returned line's as a debit.
bool CashMemo::Post_CashMemo_Projects() {
    Recordset lines;
    lines.open(QStringLiteral("Select * from Cash_Memo_Detail Where Cash_Memo_No =? Order By SL_No"), {m_CashMemoNo},
               connection(), CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        const QString project = text::trimBlanks(textOf(lines, u"Proj_No"));
        if (project.isEmpty())
            continue;
        const double amount = numberOf(lines, u"Cash_Memo_Item_Amount");
        const double fcAmount = numberOf(lines, u"Cash_Memo_FC_Item_Amount");
        const bool returned = numberOf(lines, u"Cash_Memo_Qty") < 0;
        const QString code = textOf(lines, u"Item_Code").mid(2);
        auto transaction = createObject<ProjectTransaction>(service_ids::kProjectTransaction);
        transaction->setAdoConnectionObject(&connection());
        const posting::ProjectLine line{project,
                                        returned ? std::fabs(amount) : 0,
                                        returned ? std::fabs(fcAmount) : 0,
                                        returned ? 0 : amount,
                                        returned ? 0 : fcAmount,
                                        (returned ? kPosSalesReturn : QStringLiteral("Cash Sales")) +
                                            QStringLiteral(" : ItemCode - ") + code};
        if (!posting::postProjectLine(*transaction, m_CompanyPrefix, m_BranchPrefix,
                                      {m_CashMemoNo, m_DocumentPrefix, m_CashMemoDate, m_CurrencyCode, m_CurrencySymbol,
                                       m_ForeignCurrencyFlag, m_LastUpdate},
                                      line, errDescTarget()))
            return false;
    }
    return true;
}

std::pair<double, double> CashMemo::refunds() {
    Recordset lines;
    lines.open(QStringLiteral("Select * from Cash_Memo_Detail Where Cash_Memo_Qty<0 And Cash_Memo_No=? Order by "
                              "Item_Code"),
               {m_CashMemoNo}, connection(), CursorType::Static);
    double refund = 0;
    double fcRefund = 0;
    for (; !lines.eof(); lines.moveNext()) {
        refund += std::fabs(numberOf(lines, u"Cash_Memo_Item_Amount"));
        fcRefund += std::fabs(numberOf(lines, u"Cash_Memo_FC_Item_Amount"));
    }
    return {refund, fcRefund};
}

// The refund of a point-of-sale memo's returned lines, paid out of the cash account. A memo
// charged by cheque or card has its refunds netted in the amount charged: no cash leaves. Other
// memos take their negative lines off their total and refund nothing on their own.
bool CashMemo::POS_Return_Cash_Posting() {
    return trapped([this] {
        if (!isPointOfSale() || paymentKind() != QStringLiteral("CASH"))
            return true;
        const auto [refund, fcRefund] = refunds();
        if (refund == 0 && fcRefund == 0)
            return true;
        const QString account = posting::preferenceValue(connection(), QStringLiteral("Default_Account_Preferences"),
                                                         QStringLiteral("Cash_Memo_Account_No"), m_CompanyPrefix,
                                                         m_BranchPrefix);
        if (account.isEmpty())
            return fail(msg::kInvalidDefaultCashMemoAccount);
        const LedgerLine ledger{account, QStringLiteral("Cash Memo Account"), QStringLiteral("POS Return"), 0, refund,
                                0, fcRefund};
        return posting::postLedgerLine(connection(), documentRef(), ledger, errDescTarget());
    });
}

} // namespace orbsales
