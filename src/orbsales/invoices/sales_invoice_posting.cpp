#include "orbsales/invoices/sales_invoice.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/posting.h"
#include "orbsales/frame/registry.h"
#include "orbsales/invoices/invoice_messages.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/sales_log.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = invoice_messages;
using columns::numberOrZero;
using columns::textOrEmpty;

namespace {

// The price of one unit of the line in the sales log: the line amount over the invoiced
// quantity, times the base units in one unit.
double salesUnitPrice(double amount, double quantity, double unitQty) {
    if (quantity == 0)
        throw OrbError(QStringLiteral("Division by zero"));
    return amount / quantity * unitQty;
}

// The branch of the delivery a line bills: characters 3 and 4 of the delivery number.
QString deliveryBranch(Recordset &line) { return textOrEmpty(line, u"Delivery_No").mid(2, 2); }

// The sales log of one invoice line, up to the price: the two variants add their own.
std::unique_ptr<SalesLog> salesLogOf(Connection &connection, Recordset &line, const QString &invoiceNo,
                                     const QString &company, const QString &branch, const QString &logPrefix,
                                     bool withFreeOfCost) {
    auto log = createObject<SalesLog>(service_ids::kSalesLog);
    log->setAdoConnectionObject(&connection);
    log->setSalesDocumentNo(invoiceNo);
    log->setCompanyPrefix(company);
    log->setBranchPrefix(branch);
    log->setDocumentPrefix(logPrefix);
    log->setItemCode(textOrEmpty(line, u"Item_Code"));
    log->setItemName(textOrEmpty(line, u"Item_Name"));
    log->setUnitCode(numberOrZero(line, u"Unit_Code"));
    log->setUnitName(textOrEmpty(line, u"Unit_Name"));
    if (withFreeOfCost)
        log->setFOC_Flag(numberOrZero(line, u"FOC_Flag") != 0);
    log->setUnitQty(numberOrZero(line, u"Unit_Qty"));
    log->setSalesQty(numberOrZero(line, u"Unit_Qty") * numberOrZero(line, u"Sales_Inv_Qty"));
    log->setSalesItemAmount(numberOrZero(line, u"Sales_Inv_Item_Amount"));
    return log;
}

} // namespace

posting::DocumentRef SalesInvoice::documentRef() const {
    return {m_SalesInvNo,     m_DocumentPrefix,      m_SalesInvDate, m_CurrencyCode,
            m_CurrencySymbol, m_ForeignCurrencyFlag, m_LastUpdate};
}

bool SalesInvoice::Save_Sales_Log(Recordset &line) {
    return trapped([&] {
        auto log =
            salesLogOf(connection(), line, m_SalesInvNo, m_CompanyPrefix, m_BranchPrefix, m_SalesLogPrefix, true);
        const double amount = numberOrZero(line, u"Sales_Inv_Item_Amount");
        // Hired goods invoiced again carry no unit price of their own.
        if (!reinvoicing())
            log->setSalesUnitPrice(
                salesUnitPrice(amount, numberOrZero(line, u"Sales_Inv_Qty"), numberOrZero(line, u"Unit_Qty")));
        log->setInventoryValue(amount);
        log->setSalesLogDate(m_SalesInvDate);
        log->setSalesDocumentPrefix(m_DocumentPrefix);
        log->setLastUpdate(m_LastUpdate);
        if (!line.isNull(u"Proj_No"))
            log->setProjNo(line.text(u"Proj_No"));
        return posting::answered(log->Create_SalesLog(), *log, errDescTarget());
    });
}

// Credits the branch's credit-sales account with the line; the line's discounts go to the
// running totals, which the discount line posts.
bool SalesInvoice::Post_Sales_Line(Recordset &line) {
    return trapped([&] {
        if (columns::isTrue(line, u"FOC_Flag"))
            return true; // free of cost: nothing to credit
        const double quantity = numberOrZero(line, u"Sales_Inv_Qty");
        const QString storedCode = textOrEmpty(line, u"Item_Code");
        if (text::isBlank(storedCode)) {
            const QString account =
                lookUp(QStringLiteral("Default_Sales_Preferences"), QStringLiteral("Credit_Sales_Account_No"),
                       QStringLiteral("Branch_Prefix"), deliveryBranch(line));
            if (text::isBlank(account))
                return fail(msg::kInvalidDefaultSalesAccount);
            const double credit = quantity * numberOrZero(line, u"Sales_Inv_Unit_Price");
            const double fcCredit = quantity * numberOrZero(line, u"Sales_Inv_FC_Unit_Price");
            m_discounts.home += quantity * numberOrZero(line, u"Sales_Inv_Dtl_Disc_Amount");
            m_discounts.foreign += quantity * numberOrZero(line, u"Sales_Inv_Dtl_FC_Disc_Amount");
            return postSalesCredit(account, msg::kSalesAccountItemName + storedCode.mid(2), credit, fcCredit, -credit);
        }
        // The item's accounts must be there, although the line is credited to the branch's
        // credit-sales account.
        posting::ItemAccounts itemAccounts;
        if (!posting::itemAccounts(connection(), text::trimBlanks(storedCode), m_CompanyPrefix, deliveryBranch(line),
                                   itemAccounts, errDescTarget()))
            return false;
        Recordset preferences;
        preferences.open(QStringLiteral("Select Credit_Sales_Account_No from Default_Sales_Preferences Where "
                                        "Branch_Prefix=?"),
                         {m_BranchPrefix}, connection(), CursorType::Static);
        if (preferences.eof())
            return fail(msg::kSetSalesDefaults);
        const QString account = textOrEmpty(preferences, u"Credit_Sales_Account_No");
        preferences.close();

        auto round = [this](double value) { return numbers::roundHalfEven(value, m_AmtDig); };
        const double fcAmount = round(quantity * numberOrZero(line, u"Sales_Inv_FC_Unit_Price"));
        const double amount = round(fcAmount * m_ExchangeRate);
        // An ordinary line is credited at its amount worked out again and rounded, while the
        // chart moves by quantity x home price; a hired line (or any line when re-invoicing) at
        // its stored amounts.
        const bool workedOut = text::isBlank(textOrEmpty(line, u"Period_Type")) && !reinvoicing();
        const double itemAmount = numberOrZero(line, u"Sales_Inv_Item_Amount");
        const double credit = workedOut ? amount : itemAmount;
        const double fcCredit = workedOut ? fcAmount : numberOrZero(line, u"Sales_Inv_FC_Item_Amount");
        const double chart = workedOut ? -(quantity * numberOrZero(line, u"Sales_Inv_Unit_Price")) : -itemAmount;
        m_discounts.home += round(quantity * numberOrZero(line, u"Sales_Inv_Dtl_Disc_Amount")) +
                            numberOrZero(line, u"Sales_Ord_Overall_Disc");
        m_discounts.foreign += round(quantity * numberOrZero(line, u"Sales_Inv_Dtl_FC_Disc_Amount")) +
                               round(numberOrZero(line, u"Sales_Ord_Overall_FC_Disc"));
        return postSalesCredit(account, msg::kSalesAccountItemCode + storedCode.mid(2), credit, fcCredit, chart);
    });
}

bool SalesInvoice::postSalesCredit(const QString &account, const QString &description, double credit, double fcCredit,
                                   double chartAmount) {
    const posting::LedgerLine ledgerLine{account, description, std::nullopt, 0, credit, 0, fcCredit};
    return posting::postLedgerLine(connection(), documentRef(), ledgerLine, chartAmount, errDescTarget());
}

// The plain variant's sales log: no free-of-cost flag, no inventory value, always a unit price.
// In the operation's own steps, so an error reaches the caller.
bool SalesInvoice::logSalePlainly(Recordset &line) {
    auto log = salesLogOf(connection(), line, m_SalesInvNo, m_CompanyPrefix, m_BranchPrefix, m_SalesLogPrefix, false);
    log->setSalesUnitPrice(salesUnitPrice(numberOrZero(line, u"Sales_Inv_Item_Amount"),
                                          numberOrZero(line, u"Sales_Inv_Qty"), numberOrZero(line, u"Unit_Qty")));
    log->setSalesLogDate(m_SalesInvDate);
    log->setSalesDocumentPrefix(m_DocumentPrefix);
    log->setLastUpdate(m_LastUpdate);
    if (!line.isNull(u"Proj_No"))
        log->setProjNo(line.text(u"Proj_No"));
    return posting::answered(log->Create_SalesLog(), *log, errDescTarget());
}

// The plain variant's sales line: every line (free of cost too) credited to the item's sales
// account, else the branch's credit-sales account, at quantity x price unrounded.
bool SalesInvoice::postSalesLinePlainly(Recordset &line) {
    const QString storedCode = textOrEmpty(line, u"Item_Code");
    const bool withItem = !text::isBlank(storedCode);
    QString account;
    if (withItem)
        account = lookUp(QStringLiteral("Item_Master"), QStringLiteral("Sales_Account_No"), QStringLiteral("Item_Code"),
                         storedCode);
    if (text::isBlank(account)) {
        bool quoted = false;
        account = GetFldValue(QStringLiteral("Default_Sales_Preferences"), QStringLiteral("Credit_Sales_Account_No"),
                              QStringLiteral("company_prefix"), m_CompanyPrefix, quoted,
                              QStringLiteral("Branch_prefix"), m_BranchPrefix, false);
        if (text::isBlank(account))
            return fail(withItem ? msg::kInvalidSalesAccount : msg::kInvalidDefaultSalesAccount);
    }
    const double quantity = numberOrZero(line, u"Sales_Inv_Qty");
    const double credit = quantity * numberOrZero(line, u"Sales_Inv_Unit_Price");
    const double fcCredit = quantity * numberOrZero(line, u"Sales_Inv_FC_Unit_Price");
    m_discounts.home += quantity * numberOrZero(line, u"Sales_Inv_Dtl_Disc_Amount");
    m_discounts.foreign += quantity * numberOrZero(line, u"Sales_Inv_Dtl_FC_Disc_Amount");
    if (withItem) {
        m_discounts.home += numberOrZero(line, u"Sales_Ord_Overall_Disc");
        m_discounts.foreign += numberOrZero(line, u"Sales_Ord_Overall_FC_Disc");
    }
    const QString description =
        (withItem ? msg::kSalesAccountItemCode : msg::kSalesAccountItemName) + storedCode.mid(2);
    return postSalesCredit(account, description, credit, fcCredit, -credit);
}

// All the discounts of the invoice, debited to the branch's discount account.
bool SalesInvoice::Post_Discount() {
    return trapped([this] {
        m_discounts.home += m_SalesInvDiscAmount;
        m_discounts.foreign += m_SalesInvFCDiscAmount;
        if (m_discounts.home <= 0)
            return true;
        const QString account =
            posting::preferenceValue(connection(), QStringLiteral("Default_Sales_Preferences"),
                                     QStringLiteral("Sales_Disc_Account_No"), m_CompanyPrefix, m_BranchPrefix);
        if (account.isEmpty())
            return fail(msg::kInvalidDefaultDiscountAccount);
        const posting::LedgerLine ledgerLine{
            account, msg::kDiscountAccount, m_SalesInvComments, m_discounts.home, 0, m_discounts.foreign, 0};
        return posting::postLedgerLine(connection(), documentRef(), ledgerLine, m_discounts.home, errDescTarget());
    });
}

// The customer owes the invoice total: a receivable line and its ledger line on the customer's
// receivable account in the invoice's branch.
bool SalesInvoice::Post_Receivable() {
    return trapped([this] {
        if (m_variant == Variant::Standard)
            m_SalesInvTotalAmount = numbers::roundHalfEven(m_ExchangeRate * m_SalesInvFCTotalAmount, m_AmtDig);
        QString account;
        if (!posting::receivableAccount(connection(), m_CustomerCode, m_BranchPrefix, account, errDescTarget()))
            return false;
        const QString description = msg::kReceivableCustomerCode + m_CustomerCode.mid(2);
        auto receivable = createObject<AccountsReceivable>(service_ids::kAccountsReceivable);
        receivable->setAdoConnectionObject(&connection());
        receivable->setDocumentNo(m_SalesInvNo);
        receivable->setDocumentPrefix(m_DocumentPrefix);
        receivable->setARLDate(m_SalesInvDate);
        receivable->setCurrencyCode(m_CurrencyCode);
        receivable->setCurrencySymbol(m_CurrencySymbol);
        receivable->setARLDescription(description);
        receivable->setARLComments(m_SalesInvComments);
        receivable->setaccountno(account);
        receivable->setCustomerCode(m_CustomerCode);
        receivable->setARLCreditAmount(0);
        receivable->setFCARLCreditAmount(0);
        receivable->setARLDebitAmount(m_SalesInvTotalAmount);
        receivable->setFCARLDebitAmount(m_SalesInvFCTotalAmount);
        receivable->setForeignCurrencyFlag(m_ForeignCurrencyFlag);
        receivable->setLastUpdate(m_LastUpdate);
        if (!posting::answered(receivable->AR_Insert_Transaction(), *receivable, errDescTarget()))
            return false;
        const posting::LedgerLine ledgerLine{
            account, description, m_SalesInvComments, m_SalesInvTotalAmount, 0, m_SalesInvFCTotalAmount, 0};
        return posting::postLedgerLine(connection(), documentRef(), ledgerLine, m_SalesInvTotalAmount, errDescTarget());
    });
}

} // namespace orbsales
