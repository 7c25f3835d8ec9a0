#include "orbsales/returns/sales_return.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/document_messages.h"
#include "orbsales/documents/posting.h"
#include "orbsales/frame/registry.h"
#include "orbsales/returns/returns_messages.h"
#include "orbsales/services/debit_credit_note.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

#include <cmath>
#include <limits>
#include <memory>

namespace orbsales {

namespace msg = returns_messages;
namespace doc = document_messages;

namespace {

const QString kCreditMemoPrefix = QStringLiteral("CRM");

// A typed credit memo number: a whole number from 1 up (blanks around it allowed).
std::optional<qint32> typedIdentity(const QString &typed) {
    const std::optional<double> number = numbers::exactNumber(typed);
    if (!number || *number < 1 || *number != std::floor(*number) ||
        *number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(*number);
}

// The identity inside a credit memo's number: what follows company, branch and "CRM".
qint32 identityOf(const QString &voucherNo) {
    const std::optional<double> number = numbers::exactNumber(voucherNo.mid(7));
    return number && *number >= 0 && *number <= std::numeric_limits<qint32>::max() ? numbers::toLong(*number) : 0;
}

} // namespace

bool SalesReturn::Generate_Credit_Memo(QString &pReturnNo) {
    return trapped([&] {
        bool manual = false;
        {
            Recordset counterRow;
            counterRow.open(QStringLiteral("Select Document_Next_No, Manual_Flag,Last_Update From Document_Prefix Where "
                                           "Document_Prefix='CRM' and Company_Prefix=? and Branch_Prefix=?"),
                            {m_CompanyPrefix, m_BranchPrefix}, connection(), CursorType::Static);
            manual = !counterRow.eof() && columns::isTrue(counterRow, u"Manual_Flag");
        }
        const DocumentPrefixes prefixes{m_CompanyPrefix, m_BranchPrefix, kCreditMemoPrefix};
        qint32 identity = 0;
        std::unique_ptr<CounterUse> counter;
        if (manual) {
            // A typed number is checked before anything of the credit memo is written.
            if (text::isBlank(m_VoucherNo))
                return fail(msg::kEnterCreditMemoNo);
            const std::optional<qint32> typed = typedIdentity(m_VoucherNo);
            if (!typed)
                return fail(msg::kEnterNumericCreditMemoNo);
            identity = *typed;
            if (ExistDocument(QStringLiteral("Voucher_Master"), QStringLiteral("Voucher_No"),
                              documentNumber(prefixes, identity)))
                return fail(msg::kCreditMemoExists);
        } else {
            // The manual flag is the counter's second argument; with a typed number the counter
            // is not asked for one at all (it would hand out an identity nobody uses).
            counter = std::make_unique<CounterUse>(prefixes, manual);
            if (!counter->take(m_adoConnection, errDescTarget()))
                return false;
            identity = counter->identity();
        }
        QString voucherNo = documentNumber(prefixes, identity);
        if (!Create_Voucher_Master(pReturnNo, voucherNo))
            return false;
        m_VoucherNo = voucherNo;
        if (manual)
            raiseCounterPastManual(connection(), prefixes, identity);
        else if (!counter->consume(errDescTarget()))
            return false;
        double typedNumber = manual ? identity : 0;
        return Process_CreditMemo(voucherNo, typedNumber, manual);
    });
}

// The voucher from the return's master: the customer's receivable credited with the total, the
// sales return account debited with the sub-total, the discount account credited with the
// discount. Every account is known before the first row is written.
bool SalesReturn::Create_Voucher_Master(QString &pReturnNo, QString &pVoucherNo) {
    return trapped([&] {
        Recordset sale;
        sale.open(QStringLiteral("Select * from Sales_Return_Master Where Sales_Rtn_No=?"), {pReturnNo}, connection(),
                  CursorType::Static);
        if (sale.eof())
            return fail(msg::kInvalidSalesReturnNumber);
        const QString company = columns::textOrEmpty(sale, u"Company_Prefix");
        const QString branch = columns::textOrEmpty(sale, u"Branch_Prefix");
        const QString customer = columns::textOrEmpty(sale, u"Customer_Code");
        bool foreign = columns::isTrue(sale, u"Foreign_Currency_Flag");
        QString currency = columns::textOrEmpty(sale, u"Currency_Code");
        QString symbol = columns::textOrEmpty(sale, u"Currency_Symbol");
        double total = columns::numberOrZero(sale, u"Sales_Rtn_Total_Amount");
        double fcTotal = columns::numberOrZero(sale, u"Sales_Rtn_FC_Total_Amount");
        double subTotal = columns::numberOrZero(sale, u"Sales_Rtn_SubTotal");
        double fcSubTotal = columns::numberOrZero(sale, u"Sales_Rtn_FC_SubTotal");
        double discount = columns::numberOrZero(sale, u"Sales_Rtn_Disc_Amount");
        double fcDiscount = columns::numberOrZero(sale, u"Sales_Rtn_FC_Disc_Amount");

        QString receivable;
        if (!posting::receivableAccount(connection(), customer, branch, receivable, errDescTarget()))
            return false;
        QString returnsAccount = posting::preferenceValue(connection(), QStringLiteral("Default_Sales_Preferences"),
                                                          QStringLiteral("Sales_Return_Account_No"), company, branch);
        if (returnsAccount.isEmpty())
            return fail(msg::kInvalidSalesReturnAccount);
        QString discountAccount = posting::preferenceValue(connection(), QStringLiteral("Default_Sales_Preferences"),
                                                           QStringLiteral("Sales_Disc_Account_No"), company, branch);
        if (discountAccount.isEmpty())
            return fail(doc::kInvalidDefaultDiscountAccount);

        Recordset voucher;
        voucher.open(QStringLiteral("Select * from Voucher_Master"), {}, connection(), CursorType::Keyset);
        voucher.addNew();
        voucher.setValue(u"Voucher_No", pVoucherNo);
        voucher.setValue(u"Voucher_Identity", identityOf(pVoucherNo));
        voucher.setValue(u"Company_Prefix", company);
        voucher.setValue(u"Branch_Prefix", branch);
        voucher.setValue(u"Document_Prefix", kCreditMemoPrefix);
        voucher.setValue(u"Voucher_Date", sale.value(u"Sales_Rtn_Date"));
        voucher.setValue(u"Voucher_Comments", sale.value(u"Sales_Rtn_Comments"));
        voucher.setValue(u"Foreign_Currency_Flag", foreign);
        voucher.setValue(u"Currency_Code", currency);
        voucher.setValue(u"Currency_Symbol", symbol);
        voucher.setValue(u"process_Flag", 0); // the voucher service marks it processed when it posts it
        voucher.setValue(u"Voucher_Amount", total);
        voucher.setValue(u"Voucher_FCAmount", fcTotal);
        voucher.setValue(u"Balance_Amount", total); // all of the credit is still to be used
        voucher.setValue(u"Balance_FCAmount", fcTotal);
        voucher.setValue(u"Voucher_For", QStringLiteral("Customer"));
        voucher.setValue(u"Type", QStringLiteral("Customer"));
        voucher.setValue(u"Exchange_Rate", sale.value(u"Exchange_Rate"));
        voucher.setValue(u"Customer_Code", customer);
        voucher.setValue(u"Last_Update", m_LastUpdate);
        voucher.update();
        voucher.close();

        QString customerType = QStringLiteral("Customer");
        QString generalType = QStringLiteral("General");
        QString credit = QStringLiteral("Credit");
        QString debit = QStringLiteral("Debit");
        QString noProject;
        QString receivableName = GetFldValue(QStringLiteral("Chart_Of_Accounts"), QStringLiteral("Account_Name"),
                                             QStringLiteral("Account_No"), receivable);
        QString returnsName = GetFldValue(QStringLiteral("Chart_Of_Accounts"), QStringLiteral("Account_Name"),
                                          QStringLiteral("Account_No"), returnsAccount);
        QString discountName = GetFldValue(QStringLiteral("Chart_Of_Accounts"), QStringLiteral("Account_Name"),
                                           QStringLiteral("Account_No"), discountAccount);
        qint16 serial = 1;
        if (!Create_Voucher_Detail(pVoucherNo, customerType, receivable, receivableName, credit, fcTotal, total,
                                   foreign, currency, symbol, noProject, serial))
            return false;
        serial = 2;
        if (!Create_Voucher_Detail(pVoucherNo, generalType, returnsAccount, returnsName, debit, fcSubTotal, subTotal,
                                   foreign, currency, symbol, noProject, serial))
            return false;
        serial = 3;
        return Create_Voucher_Detail(pVoucherNo, generalType, discountAccount, discountName, credit, fcDiscount,
                                     discount, foreign, currency, symbol, noProject, serial);
    });
}

bool SalesReturn::Create_Voucher_Detail(QString &pVoucherNo, QString &pVouType, QString &pAcNo, QString &pAcName,
                                        QString &pType, double &pFcAmt, double &pAmt, bool &pFC, QString &pCurCode,
                                        QString &pCurSymbol, QString &pPrjNo, qint16 &PSlNo) {
    return trapped([&] {
        const bool isDebit = pType == QLatin1String("Debit");
        Recordset line;
        line.open(QStringLiteral("Select * from Voucher_Detail"), {}, connection(), CursorType::Keyset);
        line.addNew();
        line.setValue(u"SL_No", PSlNo); // the line's place in its voucher
        line.setValue(u"Voucher_No", pVoucherNo);
        line.setValue(u"Voucher_Type", pVouType);
        line.setValue(u"Account_No", pAcNo);
        line.setValue(u"Account_Name", columns::exactText(pAcName));
        line.setValue(u"Voucher_Description", msg::kCreditMemoDescription);
        line.setValue(u"Debit_Amount", isDebit ? pAmt : 0.0);
        line.setValue(u"FC_Debit_Amount", isDebit ? pFcAmt : 0.0);
        line.setValue(u"Credit_Amount", isDebit ? 0.0 : pAmt);
        line.setValue(u"FC_Credit_Amount", isDebit ? 0.0 : pFcAmt);
        if (!text::isBlank(pPrjNo))
            line.setValue(u"Proj_No", pPrjNo);
        line.setValue(u"Foreign_Currency_Flag", pFC);
        line.setValue(u"Currency_Code", pCurCode);
        line.setValue(u"Currency_Symbol", pCurSymbol);
        line.setValue(u"Last_Update", m_LastUpdate);
        line.update();
        return true;
    });
}

bool SalesReturn::Process_CreditMemo(QString &pVoucherNo, double &manualIdentity, bool &ManualDocFlag) {
    return trapped([&] {
        auto note = createObject<DebitCreditNote>(service_ids::kDebitCreditNote);
        note->setAdoConnectionObject(&connection());
        note->setADOConnectionString(m_ConnectionString);
        note->setVoucherNo(pVoucherNo);
        note->setmanualDocIdentity(manualIdentity);
        note->setDocFlag(ManualDocFlag);
        note->setLastUpdate(QVariant(m_LastUpdate));
        return posting::answered(note->Process_Voucher(pVoucherNo), *note, errDescTarget());
    });
}

} // namespace orbsales
