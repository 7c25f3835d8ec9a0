#include "orbsales/customers/customer_ob.h"

#include "orbsales/customers/customer_messages.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/data/schema.h"
#include "orbsales/documents/posting.h"
#include "orbsales/frame/registry.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/text.h"

// Processing an opening-balance list: every stored item of the customer, branch and kind becomes
// a receivable document of the package with its receivable line, and the chart's opening
// balance of the account concerned moves by the total.
namespace orbsales {

namespace msg = customer_messages;
using columns::exactText;
using text::isBlank;
using text::trimBlanks;

namespace {

// The kind of list decides the documents, ignoring letter case; anything but "Debit" is a credit list.
bool isDebitList(const QString &kind) { return kind.compare(QStringLiteral("Debit"), Qt::CaseInsensitive) == 0; }

} // namespace

bool CustomerOB::Process_OB(const QString &OBType) {
    return trapped([&] {
        if (m_CustomerCode.isEmpty())
            return fail(msg::kInvalidCustomer);
        if (!m_connection.isOpen())
            return fail(msg::kInvalidConnectionDot);
        const QString storedReceivable = lookUp(QStringLiteral("Customer_Master"), QStringLiteral("Ar_Account_No"),
                                                QStringLiteral("Customer_Code"), m_CustomerCode);
        m_receivableAccount = accountOfBranch(storedReceivable);
        const QString storedAdvance =
            lookUp(QStringLiteral("Default_Account_Preferences"), QStringLiteral("AdvRec_Account_No"),
                   QStringLiteral("company_prefix"), m_companyPrefix, QStringLiteral("Branch_prefix"), m_branchPrefix);
        m_advanceReceiptAccount = accountOfBranch(storedAdvance);
        // A missing account is missing also when the branch code alone would make a number of it.
        if (isBlank(storedReceivable) || isBlank(m_receivableAccount))
            return fail(msg::kInvalidOBReceivableAccount);
        const bool debit = isDebitList(OBType);
        // Credit items are posted to the advance-receipt account: without one, none is posted.
        if (!debit && (isBlank(storedAdvance) || isBlank(m_advanceReceiptAccount)))
            return fail(msg::kSetAdvanceReceiptAccount);

        double total = 0;
        {
            Recordset items;
            items.open(QStringLiteral("Select * from Customer_OB Where Customer_Code=? And OBType = ? and "
                                      "branch_Prefix=? order by SL_No"),
                       {exactText(m_CustomerCode), exactText(OBType), exactText(m_branchPrefix)}, connection(),
                       CursorType::Keyset);
            // Items already processed are processed again: the front end removes their earlier documents first.
            for (; !items.eof(); items.moveNext()) {
                takeItem(items);
                total += m_amount;
                if (!(debit ? Post_OB_Invoice() : Post_OB_Receipt()))
                    return false; // the items before keep their documents
                items.setValue(u"OB_Inv_No", m_documentNo);
                items.setValue(u"Last_Update", m_LastUpdate);
                items.update();
            }
        }
        // A copy being synchronised moves no chart balance: the site that processed it did.
        if (m_SyncFlag)
            return true;
        return debit ? moveChartOpening(m_receivableAccount, total) : moveChartOpening(m_advanceReceiptAccount, -total);
    });
}

QString CustomerOB::lookUp(const QString &table, const QString &field, const QString &whereField,
                           const QString &whereValue, const QString &secondField, const QString &secondValue) {
    auto general = createObject<General>(service_ids::kGeneral);
    general->setAdoConnectionObject(&connection());
    if (secondField.isEmpty())
        return general->GetFldValue(table, field, whereField, whereValue, false);
    return general->GetFldValue(table, field, whereField, whereValue, false, secondField, secondValue, false);
}

// Account numbers carry the branch in their third and fourth characters: the stored number is
// made the caller's branch's.
QString CustomerOB::accountOfBranch(const QString &stored) const {
    return stored.left(2) + m_branchPrefix + stored.mid(4);
}

void CustomerOB::takeItem(Recordset &items) {
    m_referenceNo = columns::textOrEmpty(items, u"Ref_No");
    m_referenceDate = referenceDate(columns::textOrEmpty(items, u"Ref_Date"));
    m_amount = columns::numberOrZero(items, u"Balance_Amount");
    m_fcAmount = columns::numberOrZero(items, u"Balance_FCAmount");
    const QString comments = columns::textOrEmpty(items, u"OB_Comments");
    m_comments = comments.isEmpty() ? m_referenceNo : m_referenceNo + QStringLiteral(" : ") + comments;
    // The item's currency stays in the properties: afterwards they hold the last item's.
    m_ForeignCurrencyFlag = columns::isTrue(items, u"Foreign_Currency_Flag");
    m_CurrencyCode = columns::textOrEmpty(items, u"Currency_Code");
    m_CurrencySymbol = columns::textOrEmpty(items, u"Currency_Symbol");
    m_exchangeRate = columns::numberOrZero(items, u"Exchange_Rate");
}

bool CustomerOB::takeNumber(std::unique_ptr<CounterUse> &counter) {
    counter = std::make_unique<CounterUse>(prefixes(), CounterUse::Form::OneArgument);
    counter->setSkipChecking(true);
    if (!counter->take(m_connection, errDescTarget()))
        return false;
    m_documentIdentity = counter->identity();
    m_documentNo = documentNumber(prefixes(), m_documentIdentity);
    return true;
}

// The customer's payment terms and type: the master's, overridden by the branch's balance row.
// A customer without a balance row in the branch gets one with the master's.
void CustomerOB::paymentConditions(QString &terms, QString &type) {
    {
        Recordset master;
        master.open(QStringLiteral("Select * from Customer_Master Where Customer_Code=?"), {exactText(m_CustomerCode)},
                    connection(), CursorType::Static);
        if (!master.eof()) {
            columns::textIfSet(master, u"Customer_Payment_Terms", terms);
            columns::textIfSet(master, u"Customer_Payment_Type", type);
        }
    }
    Recordset branch;
    branch.open(QStringLiteral("Select * from Customer_Master_Balance Where Customer_Code=? and branch_Prefix=?"),
                {exactText(m_CustomerCode), exactText(m_branchPrefix)}, connection(), CursorType::Keyset);
    if (!branch.eof()) {
        columns::textIfSet(branch, u"Customer_Payment_Terms", terms);
        columns::textIfSet(branch, u"Customer_Payment_Type", type);
        return;
    }
    branch.addNew();
    branch.setValue(u"Customer_Code", exactText(m_CustomerCode));
    branch.setValue(u"Company_Prefix", exactText(m_companyPrefix));
    branch.setValue(u"Branch_Prefix", exactText(m_branchPrefix));
    branch.setValue(u"Customer_Payment_Terms", columns::blankToNull(terms));
    branch.setValue(u"Customer_Payment_Type", exactText(type));
    branch.update();
}

// A debit item: a processed sales invoice whose whole amount is still open.
bool CustomerOB::Post_OB_Invoice() {
    std::unique_ptr<CounterUse> counter;
    if (!takeNumber(counter))
        return false;
    QString terms;
    QString type;
    paymentConditions(terms, type);
    {
        Recordset invoice;
        invoice.open(QStringLiteral("Select * from Sales_Invoice_Master"), {}, connection(), CursorType::Keyset);
        invoice.addNew();
        invoice.setValue(u"Company_Prefix", exactText(m_companyPrefix));
        invoice.setValue(u"Branch_Prefix", exactText(m_branchPrefix));
        invoice.setValue(u"Document_Prefix", exactText(m_documentPrefix));
        invoice.setValue(u"Sales_Inv_No", m_documentNo);
        invoice.setValue(u"Sales_Inv_Date", m_referenceDate);
        invoice.setValue(u"Sales_Inv_Identity", m_documentIdentity);
        invoice.setValue(u"Customer_Code", exactText(m_CustomerCode));
        invoice.setValue(u"customer_name", exactText(m_CustomerName));
        invoice.setValue(u"Payment_Terms", exactText(terms));
        invoice.setValue(u"Payment_Type", exactText(type));
        invoice.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
        invoice.setValue(u"Currency_Code", exactText(m_CurrencyCode));
        invoice.setValue(u"Currency_Symbol", exactText(trimBlanks(m_CurrencySymbol)));
        for (const char16_t *column : {u"Sales_Inv_SubTotal", u"Sales_Inv_Total_Amount", u"Balance_Amount"})
            invoice.setValue(column, m_amount);
        for (const char16_t *column : {u"Sales_Inv_FC_SubTotal", u"Sales_Inv_FC_Total_Amount", u"Balance_FCAmount"})
            invoice.setValue(column, m_fcAmount);
        invoice.setValue(u"Exchange_Rate", m_exchangeRate);
        invoice.setValue(u"Processed_Flag", 1);
        if (!m_comments.isEmpty())
            invoice.setValue(u"Sales_Inv_Comments", m_comments);
        invoice.setValue(u"Last_Update", m_LastUpdate);
        invoice.update();
    }
    // The invoice's receivable line is in the home currency whatever the item's currency.
    if (!postReceivableLine(m_receivableAccount, false, true))
        return false;
    return counter->consume(errDescTarget());
}

// A credit item: a processed cash receipt marked as an advance payment, all of it still to be set off.
bool CustomerOB::Post_OB_Receipt() {
    std::unique_ptr<CounterUse> counter;
    if (!takeNumber(counter))
        return false;
    {
        Recordset receipt;
        receipt.open(QStringLiteral("Select * from Receipt_Master"), {}, connection(), CursorType::Keyset);
        receipt.addNew();
        receipt.setValue(u"Company_Prefix", exactText(m_companyPrefix));
        receipt.setValue(u"Branch_Prefix", exactText(m_branchPrefix));
        receipt.setValue(u"Document_Prefix", exactText(m_documentPrefix));
        receipt.setValue(u"Receipt_No", m_documentNo);
        receipt.setValue(u"Receipt_To", QStringLiteral("Customer"));
        receipt.setValue(u"Receipt_Type", QStringLiteral("Cash"));
        receipt.setValue(u"Receipt_Status", QStringLiteral("Processed"));
        receipt.setValue(u"Receipt_Date", m_referenceDate);
        receipt.setValue(u"Receipt_Identity", m_documentIdentity);
        receipt.setValue(u"Receipt_To_Code", exactText(m_CustomerCode));
        receipt.setValue(u"Receipt_To_Name", exactText(m_CustomerName));
        receipt.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
        receipt.setValue(u"Currency_Code", exactText(m_CurrencyCode));
        receipt.setValue(u"Currency_Symbol", exactText(trimBlanks(m_CurrencySymbol)));
        receipt.setValue(u"Receipt_Amount", m_amount);
        receipt.setValue(u"Balance_Amount", m_amount);
        receipt.setValue(u"Receipt_FCAmount", m_fcAmount);
        receipt.setValue(u"Balance_FCAmount", m_fcAmount);
        receipt.setValue(u"Exchange_Rate", m_exchangeRate);
        receipt.setValue(u"Advance_Payment_Flag", true);
        receipt.setValue(u"Processed_Flag", 1);
        if (!m_comments.isEmpty())
            receipt.setValue(u"Receipt_Comments", m_comments);
        receipt.setValue(u"Last_Update", m_LastUpdate);
        receipt.update();
    }
    if (!postReceivableLine(m_advanceReceiptAccount, m_ForeignCurrencyFlag, false))
        return false;
    return counter->consume(errDescTarget());
}

// The item's line in the receivable ledger: a debit for an invoice, a credit for a receipt.
bool CustomerOB::postReceivableLine(const QString &account, bool foreignCurrency, bool debit) {
    auto receivable = createObject<AccountsReceivable>(service_ids::kAccountsReceivable);
    receivable->setAdoConnectionObject(&connection());
    receivable->setDocumentPrefix(m_documentPrefix);
    receivable->setForeignCurrencyFlag(foreignCurrency);
    receivable->setCustomerCode(m_CustomerCode);
    receivable->setBranchPrefix(m_branchPrefix);
    receivable->setDocumentNo(m_documentNo);
    receivable->setARLDate(m_referenceDate);
    receivable->setaccountno(account);
    receivable->setARLDescription(msg::kOpeningBalanceDescription + m_CustomerCode.mid(2));
    receivable->setARLComments(m_comments);
    receivable->setARLCreditAmount(debit ? 0 : m_amount);
    receivable->setFCARLCreditAmount(debit ? 0 : m_fcAmount);
    receivable->setARLDebitAmount(debit ? m_amount : 0);
    receivable->setFCARLDebitAmount(debit ? m_fcAmount : 0);
    receivable->setCurrencyCode(m_CurrencyCode);
    receivable->setCurrencySymbol(trimBlanks(m_CurrencySymbol));
    receivable->setLastUpdate(m_LastUpdate);
    return posting::answered(receivable->AR_Insert_Transaction(), *receivable, errDescTarget());
}

// The opening balance of the account in the chart, moved by the list's total (a NULL opening counts as 0).
bool CustomerOB::moveChartOpening(const QString &account, double change) {
    Recordset chart;
    chart.open(QStringLiteral("Select * from Chart_Of_Accounts Where Account_No=?"), {exactText(account)}, connection(),
               CursorType::Static);
    if (chart.eof())
        return fail(msg::kErrorWhileProcessingOB);
    // Moved by the statement itself: two lists processed at once each add their own total, where
    // reading the opening and writing it back would lose one of them. The same statement stamps
    // the account, so a failure never leaves the opening moved and the account unstamped.
    connection().execute(QStringLiteral("Update Chart_Of_Accounts Set Opening_Balance = COALESCE(Opening_Balance, 0) + ?, "
                                        "Last_Update = ? Where Row_Id = ?"),
                         {change, schema::coerce(schema::ColumnType::Date, m_LastUpdate), chart.value(u"Row_Id")});
    return true;
}

} // namespace orbsales
