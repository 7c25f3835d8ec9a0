#include "orbsales/cashmemos/cash_memo.h"

#include "orbsales/cashmemos/cashmemo_messages.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/posting.h"
#include "orbsales/frame/registry.h"
#include "orbsales/numbering/processing_mode.h"
#include "orbsales/numbering/renumbering.h"
#include "orbsales/services/pdc.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/text.h"

#include <optional>

namespace orbsales {

namespace msg = cashmemo_messages;

namespace {

const QString kCashKind = QStringLiteral("CASH");
const QString kChequeKind = QStringLiteral("CHEQUE");
const QString kCreditCardKind = QStringLiteral("CREDIT CARD");

} // namespace

posting::DocumentRef CashMemo::documentRef() const {
    return {m_CashMemoNo, m_DocumentPrefix, m_CashMemoDate, m_CurrencyCode, m_CurrencySymbol, m_ForeignCurrencyFlag,
            m_LastUpdate};
}

bool CashMemo::Process_CashMemo() {
    return trapped([this] {
        m_headerOnly = true;
        if (!Get_CashMemo())
            return false;
        m_discountTotal = 0;
        m_fcDiscountTotal = 0;
        m_stockMoved.clear();
        Recordset master;
        master.open(QStringLiteral("Select * from Cash_Memo_Master Where Cash_Memo_No=?"), {m_CashMemoNo}, connection(),
                    CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidCashMemoNo);

        const ProcessingMode mode = ProcessingMode::of(m_OnlineFlag, m_SyncFlag);
        std::optional<DocumentIdentity> identity;
        if (mode.isSynchronisation()) {
            // The copy keeps its number and its stamp; it is stored as processed once posted.
            columns::dateIfSet(master, u"Last_Update", m_LastUpdate);
            master.setValue(u"process_Flag", 1);
            master.setValue(u"Posting_Digits", m_AmtDig);
            master.update();
        } else {
            identity.emplace(prefixes(), CounterUse::Form::OneArgument, m_DocFlag, m_manualDocIdentity);
            if (!identity->take(m_adoConnection, errDescTarget()))
                return false;
            if (!renumber(master, *identity))
                return false;
            if (!Update_Source_Document())
                return false;
            if (mode.isOffline())
                return finishNumber(*identity);
        }
        master.close();

        {
            Recordset lines;
            lines.open(QStringLiteral("Select * from Cash_Memo_Detail Where Cash_Memo_No=? Order By SL_No"),
                       {m_CashMemoNo}, connection(), CursorType::Keyset);
            for (; !lines.eof(); lines.moveNext())
                if (!Save_CashMemo_Sales_Log(lines) || !Post_CashMemo_Sales_Line(lines))
                    return false;
        }
        if (isPointOfSale() && !Reduce_POS_Stock())
            return false;
        m_discountTotal += m_CashMemoDiscAmount;
        m_fcDiscountTotal += m_CashMemoFcDiscAmount;
        // A point-of-sale memo whose returned lines give back more discount than the memo allows
        // has a negative total: it is posted too, so that the memo balances.
        if (m_discountTotal != 0 && !Post_CashMemo_Discount())
            return false;
        const QString kind = paymentKind();
        if (kind == kCashKind && !Post_CashMemo_Cash())
            return false;
        if ((kind == kChequeKind || kind == kCreditCardKind) && !Post_CashMemo_Receivable())
            return false;
        if (isPointOfSale() && !POS_Return_Cash_Posting())
            return false;
        if (!Post_CashMemo_Projects())
            return false;
        // A point-of-sale memo's stock has moved with its own step above: each line moves once.
        if (!isPointOfSale() && !Reduce_CashMemo_Stock())
            return false;
        return identity ? finishNumber(*identity) : true;
    });
}

// The final number on the master (processed, delivered, and settled when paid in cash) and on
// every line.
bool CashMemo::renumber(Recordset &master, const DocumentIdentity &identity) {
    const QString temporaryNo = m_CashMemoNo;
    const QString finalNo = identity.number();
    m_CashMemoIdentity = identity.value();
    setFinalNumber(master, u"Cash_Memo_No", u"Cash_Memo_Identity", finalNo, identity.value());
    master.setValue(u"Last_Update", m_LastUpdate);
    master.setValue(u"process_Flag", 1);
    master.setValue(u"Delivered_Flag", 1);
    if (m_PaymentType == QStringLiteral("Cash")) {
        master.setValue(u"Adjusted_Amount", m_CashMemoTotalAmount);
        master.setValue(u"Adjusted_FCAmount", m_CashMemoFCTotalAmount);
    }
    // The decimals the postings are rounded to, kept with a memo that is posted here.
    if (m_OnlineFlag)
        master.setValue(u"Posting_Digits", m_AmtDig);
    master.update();

    Recordset lines;
    lines.open(QStringLiteral("Select * from Cash_Memo_Detail Where Cash_Memo_No=?"), {temporaryNo}, connection(),
               CursorType::Keyset);
    if (lines.eof())
        return fail(msg::kInvalidTemporaryCashMemoNo);
    moveLinesToFinalNumber(lines, u"Cash_Memo_No", finalNo, m_LastUpdate);
    m_CashMemoNo = finalNo;
    return true;
}

// Counter: Increase_Counter. Typed number: the counter is raised past it on the caller's connection.
bool CashMemo::finishNumber(DocumentIdentity &identity) { return identity.finish(connection(), errDescTarget()); }

bool CashMemo::Process() {
    return trapped([this] {
        if (!Process_CashMemo())
            return false;
        // The memo's payment type as stored, which processing has just loaded.
        const QString kind = paymentKind();
        if (kind == kChequeKind || kind == kCreditCardKind)
            return Cheque_Process();
        return true;
    });
}

bool CashMemo::Cheque_Process() {
    return trapped([this] {
        m_headerOnly = true;
        if (!Get_CashMemo())
            return false;
        if (ProcessingMode::of(m_OnlineFlag, m_SyncFlag).isOffline())
            return true;
        auto pdc = createObject<PDC>(service_ids::kPDC);
        pdc->setAdoConnectionObject(&connection());
        pdc->setCompanyPrefix(m_CompanyPrefix);
        pdc->setBranchPrefix(m_BranchPrefix);
        pdc->setDocumentPrefix(QStringLiteral("PDC"));
        pdc->setTransactionType(QStringLiteral("Cash Memo"));
        pdc->setBankName(m_ChequeBank);
        pdc->setChequeNo(m_ChequeNo);
        if (m_PaymentType.toUpper() == kCreditCardKind) {
            pdc->setPDCDate(m_CashMemoDate);
            pdc->setPDCDueDate(m_CashMemoDate);
            pdc->setCreditCardNo(m_CreditCardNo);
            pdc->setCreditCardName(m_CreditCardName);
        } else {
            pdc->setPDCDate(m_CashMemoDate);
            pdc->setPDCDueDate(m_ChequeDate);
            pdc->setCreditCardNo(QString());
            pdc->setCreditCardName(QString());
        }
        pdc->setCreditCardCode(m_CreditCardCode);
        pdc->setChequeAmount(m_CashMemoTotalAmount);
        pdc->setCleared(QStringLiteral("No"));
        pdc->setCustomerID(m_CustomerCode);
        pdc->setCustomerName(m_CustomerName);
        pdc->setSourceNo(m_CashMemoNo);
        pdc->setSourcePrefix(m_DocumentPrefix);
        pdc->setStatus(QStringLiteral("Outstanding"));
        pdc->setForeignCurrencyFlag(m_ForeignCurrencyFlag);
        pdc->setCurrencyCode(m_CurrencyCode);
        pdc->setChequeFCAmount(m_CashMemoFCTotalAmount);
        pdc->setPDCComments(m_CashMemoComments);
        pdc->setLastUpdate(m_LastUpdate);
        return posting::answered(pdc->Create_PDC(), *pdc, errDescTarget());
    });
}

} // namespace orbsales
