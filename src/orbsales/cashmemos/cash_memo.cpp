#include "orbsales/cashmemos/cash_memo.h"

#include "orbsales/cashmemos/cashmemo_messages.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/line_serial.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/currency_symbol.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/orders/discount_shares.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

#include <optional>

namespace orbsales {

namespace msg = cashmemo_messages;
using numbers::throughText;

namespace {

const QString kCash = QStringLiteral("Cash");
const QString kCheque = QStringLiteral("Cheque");
const QString kCreditCard = QStringLiteral("Credit Card");
const QString kPointOfSale = QStringLiteral("POS");

bool samePaymentType(const QString &paymentType, const QString &kind) {
    return text::trimBlanks(paymentType).compare(kind, Qt::CaseInsensitive) == 0;
}

} // namespace

CashMemo::CashMemo(QObject *parent) : BusinessObject(parent) {}

LineGrid &CashMemo::grid() const { return required(m_grid.data()); }

bool CashMemo::isPointOfSale() const { return m_ReferencePrefix.toUpper() == kPointOfSale; }

QString CashMemo::paymentKind() const { return text::trimBlanks(m_PaymentType).toUpper(); }

double CashMemo::rounded(double value) const { return numbers::roundHalfEven(value, m_AmtDig); }

bool CashMemo::Validation() {
    return trapped([this] {
        if (m_CompanyPrefix.isEmpty())
            return fail(msg::kInvalidCompanyPrefix);
        if (m_BranchPrefix.isEmpty())
            return fail(msg::kInvalidBranchPrefix);
        if (m_DocumentPrefix.isEmpty())
            return fail(msg::kInvalidDocumentPrefix);
        if (text::isBlank(m_CustomerName) || text::isBlank(m_CustomerCode))
            return fail(msg::kInvalidCustomerDetails);
        if (text::isBlank(m_PaymentType))
            return fail(msg::kInvalidPaymentType);
        if (samePaymentType(m_PaymentType, kCreditCard) &&
            (text::isBlank(m_CreditCardCode) || text::isBlank(m_CreditCardName) || text::isBlank(m_CreditCardNo)))
            return fail(msg::kInvalidCreditCardDetails);
        if (samePaymentType(m_PaymentType, kCheque) && (text::isBlank(m_ChequeNo) || text::isBlank(m_ChequeBank)))
            return fail(msg::kInvalidChequeDetails);
        return true;
    });
}

bool CashMemo::Create_CashMemo() {
    bool withLines = true;
    return Create_CashMemo(withLines);
}

bool CashMemo::Create_CashMemo(bool &Save_Detail_Flag) {
    return trapped([&] {
        if (!Validation())
            return false;
        CounterUse counter(prefixes(), CounterUse::Form::Temporary);
        if (!counter.take(m_adoConnection, errDescTarget()))
            return false;
        m_CashMemoIdentity = counter.identity();
        m_CashMemoNo = temporaryDocumentNumber(prefixes(), counter.identity());
        if (!Save_CashMemo_Master())
            return false;
        if (Save_Detail_Flag && !Save_CashMemo_Detail())
            return false;
        return counter.consume(errDescTarget());
    });
}

bool CashMemo::Update_CashMemo() {
    return trapped([this] { return Validation() && Save_CashMemo_Master() && Save_CashMemo_Detail(); });
}

bool CashMemo::Save_CashMemo_Master() {
    takeCurrencySymbol(connection(), m_CurrencyCode, m_CurrencySymbol);
    // The number is looked up with a blank after it, which document numbers ignore.
    Recordset master;
    master.open(QStringLiteral("Select * from Cash_Memo_Master Where Cash_Memo_No=?"), {m_CashMemoNo + QLatin1Char(' ')},
                connection(), CursorType::Keyset);
    if (master.eof()) {
        master.addNew();
        master.setValue(u"Cash_Memo_No", m_CashMemoNo);
        // An unprocessed memo carries the identity of its temporary number; processing writes the final one.
        master.setValue(u"Cash_Memo_Identity", m_CashMemoIdentity);
        master.setValue(u"process_Flag", 0);
        master.setValue(u"Cancel_Flag", 0);
        master.setValue(u"Allow_Cancel_Flag", 1);
        master.setValue(u"Delivered_Flag", 0);
    } else {
        connection().execute(QStringLiteral("Delete from Cash_Memo_Detail Where Cash_Memo_No=?"), {m_CashMemoNo});
    }
    master.setValue(u"Company_Prefix", m_CompanyPrefix);
    master.setValue(u"Branch_Prefix", m_BranchPrefix);
    master.setValue(u"Document_Prefix", m_DocumentPrefix);
    master.setValue(u"Customer_Code", m_CustomerCode);
    master.setValue(u"customer_name", m_CustomerName);
    master.setValue(u"Cash_Memo_Date", m_CashMemoDate);
    master.setValue(u"Cash_Memo_End_Date", m_CashMemoEndDate);
    master.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    master.setValue(u"Currency_Code", m_CurrencyCode);
    master.setValue(u"Currency_Symbol", m_CurrencySymbol);
    master.setValue(u"Cash_Memo_SubTotal", throughText(m_CashMemoSubTotal));
    master.setValue(u"Cash_Memo_FC_Sub_Total", throughText(m_CashMemoFCSubTotal));
    master.setValue(u"Cash_Memo_Disc_Percent", throughText(m_CashMemoDiscPercent));
    master.setValue(u"Cash_Memo_Disc_Amount", throughText(m_CashMemoDiscAmount));
    master.setValue(u"Cash_Memo_FC_Disc_Amount", throughText(m_CashMemoFcDiscAmount));
    master.setValue(u"Cash_Memo_Total_Amount", throughText(m_CashMemoTotalAmount));
    master.setValue(u"Cash_Memo_FC_Total_Amount", throughText(m_CashMemoFCTotalAmount));
    // Settlement: a cheque or card memo stays open for its total until the payment clears; a
    // cash memo has nothing left to settle. Other payment types leave the columns alone.
    if (m_PaymentType == kCheque || m_PaymentType == kCreditCard) {
        master.setValue(u"Balance_Amount", m_CashMemoTotalAmount);
        master.setValue(u"Balance_FCAmount", m_CashMemoFCTotalAmount);
        master.setValue(u"Adjusted_Amount", 0);
        master.setValue(u"Adjusted_FCAmount", 0);
    } else if (m_PaymentType == kCash) {
        master.setValue(u"Balance_Amount", 0);
        master.setValue(u"Balance_FCAmount", 0);
    }
    const bool employeeGiven = !text::isBlank(m_EmployeeID);
    master.setValue(u"Employee_ID", employeeGiven ? QVariant(m_EmployeeID) : QVariant());
    master.setValue(u"Employee_Name", employeeGiven ? QVariant(m_EmployeeName) : QVariant());
    master.setValue(u"Payment_Type", m_PaymentType);
    master.setValue(u"Cash_Memo_Comments", columns::exactText(m_CashMemoComments));
    master.setValue(u"Reference_No", columns::nullWhenBlank(m_ReferenceNo));
    master.setValue(u"Reference_Document_Prefix", columns::nullWhenBlank(m_ReferencePrefix));
    if (!text::isBlank(m_ReferenceDocumentName))
        master.setValue(u"Reference_Document_Name", m_ReferenceDocumentName);
    auto writeIfGiven = [&master](QStringView column, const QString &value) {
        if (!text::isBlank(value))
            master.setValue(column, value);
    };
    if (m_PaymentType == kCreditCard) {
        writeIfGiven(u"CreditCard_Code", m_CreditCardCode);
        writeIfGiven(u"CreditCard_Name", m_CreditCardName);
        writeIfGiven(u"CreditCard_No", m_CreditCardNo);
    } else if (m_PaymentType == kCheque) {
        writeIfGiven(u"Cheque_No", m_ChequeNo);
        writeIfGiven(u"Cheque_Bank", m_ChequeBank);
        master.setValue(u"Cheque_Date", m_ChequeDate);
    }
    if (m_LocationCode != 0) {
        master.setValue(u"Location_ID", m_LocationCode);
        master.setValue(u"Location_Name", m_LocationName);
    }
    master.setValue(u"Exchange_Rate", m_ForeignCurrencyFlag ? m_ExchangeRate : 1.0);
    // A point-of-sale memo rung up away from the server is final as it is saved.
    if (m_ReferencePrefix == kPointOfSale && !m_OnlineFlag)
        master.setValue(u"process_Flag", 1);
    master.setValue(u"Last_Update", m_LastUpdate);
    master.update();
    master.close();
    return true;
}

bool CashMemo::Save_CashMemo_Detail() {
    Recordset detail;
    detail.open(QStringLiteral("Select * from Cash_Memo_Detail"), {}, connection(), CursorType::Keyset);
    const GridLines lines(grid());
    // The last line takes the rest of the overall discount. Counted over every non-blank row,
    // while saving stops at the first blank one.
    std::optional<OverallDiscountShares> shares;
    if (m_CashMemoFcDiscAmount > 0)
        shares.emplace(m_CashMemoDiscPercent, m_CashMemoFcDiscAmount, m_CashMemoDiscAmount, m_AmtDig, lines.countAll());
    for (const int row : lines) {
        const GridRow line(grid(), row);
        LineSerial serial(connection(), QStringLiteral("Cash_Memo_Detail"));
        detail.addNew();
        detail.setValue(u"Cash_Memo_No", m_CashMemoNo);
        saveLine(detail, line);
        if (shares) {
            const auto share = shares->next(row, line.cell(10), line.cell(11));
            detail.setValue(u"Cash_Memo_OverAll_FC_Disc_Amount", share.foreign);
            detail.setValue(u"Cash_Memo_OverAll_Disc_Amount", share.local);
        }
        detail.setValue(u"Proj_No", columns::blankToNull(line.text(17)));
        detail.setValue(u"SL_No", serial.value());
        detail.setValue(u"Last_Update", m_LastUpdate);
        detail.update();
        serial.written();
    }
    detail.close();
    return true;
}

// One line's columns from its grid row, as the cash memo grid lays them out.
void CashMemo::saveLine(Recordset &detail, const GridRow &line) {
    // A line without an item (a charge typed on the memo) keeps no item code.
    const QString code = line.trimmed(1);
    if (!code.isEmpty())
        detail.setValue(u"Item_Code", m_CompanyPrefix + code);
    detail.setValue(u"Item_Name", line.trimmed(2));
    detail.setValue(u"Unit_Code", line.number(3));
    const UnitPeriod unit = line.unitPeriod(4);
    detail.setValue(u"Unit_Name", unit.unitName);
    if (!unit.periodType.isNull())
        detail.setValue(u"Period_Type", unit.periodType);
    detail.setValue(u"FOC_Flag", line.cell(18) != 0);
    detail.setValue(u"Unit_Qty", line.number(5));
    const double quantity = line.cell(6);
    detail.setValue(u"Cash_Memo_Qty", quantity);
    detail.setValue(u"Cash_Memo_Delivered_Qty", quantity);
    detail.setValue(u"Cash_Memo_Unit_Price", line.cell(13));
    detail.setValue(u"Cash_Memo_Disc_Amount", line.cell(12));
    detail.setValue(u"Cash_Memo_Item_Amount", line.number(11));
    detail.setValue(u"Location_ID", line.number(20));
    detail.setValue(u"Location_Name", line.trimmed(19));
    detail.setValue(u"Cash_Memo_FC_Item_Amount", line.cell(10));
    detail.setValue(u"Cash_Memo_FC_Disc_Amount", line.cell(9));
    detail.setValue(u"Cash_Memo_Dtl_Disc_Percent", line.cell(8));
    detail.setValue(u"Cash_Memo_FC_Unit_Price", line.cell(7));
    // The quantity handed over now: a point-of-sale line takes any quantity given (a return is
    // negative), another line only a positive one.
    const double handedOver = line.cell(14);
    if ((m_ReferencePrefix == kPointOfSale && handedOver != 0) || (m_ReferencePrefix != kPointOfSale && handedOver > 0))
        detail.setValue(u"Cash_Memo_Delivered_Qty", handedOver);
    detail.setValue(u"Reference_SL_No", line.cell(15));
}

} // namespace orbsales
