#include "orbsales/cashmemos/cash_memo.h"

#include "orbsales/cashmemos/cashmemo_messages.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/frame/registry.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/grid/unit_period.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/inventory.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = cashmemo_messages;

// A document a cash memo is made from: its tables and the columns that fill the memo.
struct CashMemo::SourceKind {
    const char *master;   // "Select * from ... Where <number>=?"
    const char *detail;   // the same on the lines
    const QString &message;
    bool paymentTermsAlways; // a delivery's terms are taken only when set
    // Header amounts: sub-total, foreign sub-total, discount percent (none: nullptr), discount,
    // foreign discount, foreign total, total.
    const char16_t *subTotal, *fcSubTotal, *discPercent, *discount, *fcDiscount, *fcTotal, *total;
    // Line columns: quantity, foreign price, discount percent (none: nullptr), foreign discount,
    // foreign amount, amount, discount, price.
    const char16_t *quantity, *fcPrice, *lineDiscPercent, *lineFcDiscount, *fcAmount, *amount, *lineDiscount, *price;
};

namespace {

const QString kSalesOrder = QStringLiteral("Sales Order");
const QString kDelivery = QStringLiteral("Delivery");
const QString kDirectDelivery = QStringLiteral("Direct Delivery");

void writeUnit(LineGrid &grid, int row, Recordset &rows) {
    const QVariant unitName = rows.value(u"Unit_Name");
    if (unitName.isNull())
        return;
    const QVariant period = rows.value(u"Period_Type");
    const bool withPeriod = !period.isNull() && !period.toString().isEmpty();
    grid.setCellText(row, 4, joinUnitPeriod(unitName.toString(), withPeriod ? period : QVariant()));
}

void writeFreeOfCharge(LineGrid &grid, int row, Recordset &rows) {
    grid.setCellText(row, 18, columns::isTrue(rows, u"FOC_Flag") ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace

bool CashMemo::Get_CashMemo() {
    return trapped([this] {
        if (m_CashMemoNo.isEmpty())
            return fail(msg::kInvalidCashMemoNoDot);
        Recordset master;
        const QString sql = QStringLiteral("Select * from Cash_Memo_Master Where Cash_Memo_No =?");
        if (m_adoConnection.isOpen())
            master.open(sql, {m_CashMemoNo}, connection(), CursorType::Static);
        else
            master.open(sql, {m_CashMemoNo}, m_ADOConnectionString, CursorType::Static);
        if (master.eof())
            return fail(msg::kCashMemoNotFoundOnLoad);
        loadMaster(master);
        master.close();
        if (m_headerOnly)
            return true;
        return Load_CashMemo_Detail();
    });
}

// Columns loaded without a null test fail on NULL; the others keep the property when NULL.
void CashMemo::loadMaster(Recordset &master) {
    m_CashMemoNo = master.text(u"Cash_Memo_No");
    m_CompanyPrefix = master.text(u"Company_Prefix");
    m_BranchPrefix = master.text(u"Branch_Prefix");
    m_DocumentPrefix = master.text(u"Document_Prefix");
    m_CashMemoIdentity = master.integer(u"Cash_Memo_Identity");
    columns::textIfSet(master, u"Customer_Code", m_CustomerCode);
    columns::textIfSet(master, u"customer_name", m_CustomerName);
    m_CashMemoDate = master.date(u"Cash_Memo_Date");
    m_CashMemoEndDate = master.date(u"Cash_Memo_End_Date");
    columns::textIfSet(master, u"Cash_Memo_Comments", m_CashMemoComments);
    m_CashMemoSubTotal = master.number(u"Cash_Memo_SubTotal");
    m_CashMemoFCSubTotal = master.number(u"Cash_Memo_FC_Sub_Total");
    m_CashMemoDiscPercent = master.number(u"Cash_Memo_Disc_Percent");
    m_CashMemoDiscAmount = master.number(u"Cash_Memo_Disc_Amount");
    m_CashMemoFcDiscAmount = master.number(u"Cash_Memo_FC_Disc_Amount");
    m_CashMemoTotalAmount = master.number(u"Cash_Memo_Total_Amount");
    m_CashMemoFCTotalAmount = master.number(u"Cash_Memo_FC_Total_Amount");
    m_ForeignCurrencyFlag = columns::isTrue(master, u"Foreign_Currency_Flag");
    columns::textIfSet(master, u"Currency_Code", m_CurrencyCode);
    columns::textIfSet(master, u"Currency_Symbol", m_CurrencySymbol);
    columns::textIfSet(master, u"Payment_Terms", m_PaymentTerms);
    m_PaymentType = master.text(u"Payment_Type");
    m_ProcessFlag = columns::isTrue(master, u"process_Flag");
    m_CancelFlag = columns::isTrue(master, u"Cancel_Flag");
    m_AllowCancelFlag = columns::isTrue(master, u"Allow_Cancel_Flag");
    columns::textIfSet(master, u"Reference_No", m_ReferenceNo);
    columns::textIfSet(master, u"Reference_Document_Prefix", m_ReferencePrefix);
    columns::textIfSet(master, u"Reference_Document_Name", m_ReferenceDocumentName);
    columns::textIfSet(master, u"Employee_ID", m_EmployeeID);
    columns::textIfSet(master, u"Employee_Name", m_EmployeeName);
    if (m_PaymentType == QStringLiteral("Credit Card")) {
        columns::textIfNotEmpty(master, u"CreditCard_Code", m_CreditCardCode);
        columns::textIfNotEmpty(master, u"CreditCard_Name", m_CreditCardName);
        columns::textIfNotEmpty(master, u"CreditCard_No", m_CreditCardNo);
    } else if (m_PaymentType == QStringLiteral("Cheque")) {
        columns::textIfNotEmpty(master, u"Cheque_No", m_ChequeNo);
        columns::textIfNotEmpty(master, u"Cheque_Bank", m_ChequeBank);
        columns::dateIfSet(master, u"Cheque_Date", m_ChequeDate);
    }
    if (!text::isBlank(columns::textOrEmpty(master, u"Status")))
        m_Status = master.text(u"Status");
    if (!master.isNull(u"Location_ID"))
        m_LocationCode = master.integer(u"Location_ID");
    columns::textIfSet(master, u"Location_Name", m_LocationName);
    m_ExchangeRate = master.number(u"Exchange_Rate");
}

bool CashMemo::Load_CashMemo_Detail() {
    Recordset detail;
    detail.open(QStringLiteral("Select * from Cash_Memo_Detail Where Cash_Memo_No=? Order By SL_No"), {m_CashMemoNo},
                m_ADOConnectionString, CursorType::Static, LockType::ProviderDefault);
    LineGrid &lines = grid();
    const int stored = detail.recordCount();
    // This grid keeps no spare row after the lines when it has to grow.
    if (stored + 1 >= lines.rowCount())
        lines.setRowCount(stored + 1);
    for (int row = 1; !detail.eof(); ++row, detail.moveNext()) {
        const QVariant itemCode = detail.value(u"Item_Code");
        if (!itemCode.isNull())
            lines.setCellText(row, 1, itemCode.toString().mid(2));
        gridrules::writeText(lines, row, 2, detail.value(u"Item_Name"));
        gridrules::writeNumber(lines, row, 3, detail.value(u"Unit_Code"));
        writeUnit(lines, row, detail);
        gridrules::writeNumber(lines, row, 5, detail.value(u"Unit_Qty"));
        gridrules::writeNumber(lines, row, 6, detail.value(u"Cash_Memo_Qty"));
        gridrules::writeNumber(lines, row, 7, detail.value(u"Cash_Memo_FC_Unit_Price"));
        gridrules::writeNumber(lines, row, 8, detail.value(u"Cash_Memo_Dtl_Disc_Percent"));
        gridrules::writeNumber(lines, row, 9, detail.value(u"Cash_Memo_FC_Disc_Amount"));
        gridrules::writeNumber(lines, row, 10, detail.value(u"Cash_Memo_FC_Item_Amount"));
        gridrules::writeNumber(lines, row, 11, detail.value(u"Cash_Memo_Item_Amount"));
        gridrules::writeNumber(lines, row, 12, detail.value(u"Cash_Memo_Disc_Amount"));
        gridrules::writeNumber(lines, row, 13, detail.value(u"Cash_Memo_Unit_Price"));
        if (!gridrules::writeNumber(lines, row, 14, detail.value(u"Cash_Memo_Delivered_Qty")))
            lines.setCellText(row, 14, QStringLiteral("0"));
        const QVariant sourceSerial = detail.value(u"Reference_SL_No");
        if (!sourceSerial.isNull() && !sourceSerial.toString().isEmpty())
            gridrules::writeNumber(lines, row, 15, sourceSerial);
        const QString project = text::trimBlanks(columns::textOrEmpty(detail, u"Proj_No"));
        if (!project.isEmpty()) {
            lines.setCellText(row, 16, project.mid(7)); // the short form
            lines.setCellText(row, 17, project);
        }
        writeFreeOfCharge(lines, row, detail);
        gridrules::writeText(lines, row, 19, detail.value(u"Location_Name"));
        // The location is greyed out for items that carry no stock.
        auto inventory = createObject<Inventory>(service_ids::kInventory);
        inventory->setADOConnectionString(m_ADOConnectionString);
        inventory->setItemCode(m_CompanyPrefix + text::trimBlanks(lines.cellText(row, 1)));
        if (inventory->Get_Item_Type())
            lines.setCellProperty(LineGrid::kForeColorSetting, row, 19, row, 19,
                                  inventory->ItemType() != QStringLiteral("0") ? LineGrid::kGreyText
                                                                               : LineGrid::kBlackText);
        gridrules::writeNumber(lines, row, 20, detail.value(u"Location_ID"));
    }
    return true;
}

// ---- Source documents ------------------------------------------------------------------------

bool CashMemo::Get_Order_Details() {
    static const SourceKind order{"Select * from Sales_Order_Master Where Sales_Ord_No=?",
                                  "Select * from Sales_Order_Detail Where Sales_Ord_No=? Order By SL_No",
                                  msg::kInvalidSalesOrderNo,
                                  true,
                                  u"Sales_Ord_SubTotal",
                                  u"Sales_Ord_FC_SubTotal",
                                  u"Sales_Ord_Disc_Percent",
                                  u"Sales_Ord_Disc_Amount",
                                  u"Sales_Ord_FC_Disc_Amount",
                                  u"Sales_Ord_FC_Total_Amount",
                                  u"Sales_Ord_Total_Amount",
                                  u"Sales_Ord_Ordered_Qty",
                                  u"Sales_Ord_FC_Unit_Price",
                                  u"Sales_Ord_Dtl_Disc_Percent",
                                  u"Sales_Ord_FC_Disc_Amount",
                                  u"Sales_Ord_FC_Item_Amount",
                                  u"Sales_Ord_Item_Amount",
                                  u"Sales_Ord_Disc_Amount",
                                  u"Sales_Ord_Unit_Price"};
    return trapped([this] { return loadSource(order); });
}

bool CashMemo::Get_Delivery_Details() {
    static const SourceKind delivery{"Select * from Delivery_Master Where Delivery_No=?",
                                     "Select * from Delivery_Detail Where Delivery_No=? Order By SL_No",
                                     msg::kInvalidDeliveryNo,
                                     false,
                                     u"Delivery_SubTotal",
                                     u"Delivery_FC_SubTotal",
                                     nullptr,
                                     u"Delivery_Disc_Amount",
                                     u"Delivery_FC_Disc_Amount",
                                     u"Delivery_FC_Total_Amount",
                                     u"Delivery_Total_Amount",
                                     u"Delivery_Qty",
                                     u"Delivery_Dtl_FC_Unit_Price",
                                     nullptr,
                                     u"Delivery_FC_Disc_Amount",
                                     u"Delivery_FC_Item_Amount",
                                     u"Delivery_Item_Amount",
                                     u"Delivery_Disc_Amount",
                                     u"Delivery_Dtl_Unit_Price"};
    return trapped([this] { return loadSource(delivery); });
}

bool CashMemo::Get_Direct_Delivery_Details() {
    static const SourceKind direct{"Select * from Direct_Delivery_Master Where Direct_Delivery_No=?",
                                   "Select * from Direct_Delivery_Detail Where Direct_Delivery_No=? Order By SL_No",
                                   msg::kInvalidDeliveryNo,
                                   false,
                                   u"Direct_Delivery_SubTotal",
                                   u"Direct_Delivery_FC_SubTotal",
                                   u"Direct_Delivery_Disc_Percent",
                                   u"Direct_Delivery_Disc_Amount",
                                   u"Direct_Delivery_FC_Disc_Amount",
                                   u"Direct_Delivery_FC_Total_Amount",
                                   u"Direct_Delivery_Total_Amount",
                                   u"Direct_Delivery_Qty",
                                   u"Direct_Delivery_Dtl_FC_Unit_Price",
                                   u"Direct_Delivery_Dtl_Disc_Percent",
                                   u"Direct_Delivery_FC_Disc_Amount",
                                   u"Direct_Delivery_FC_Item_Amount",
                                   u"Direct_Delivery_Item_Amount",
                                   u"Direct_Delivery_Disc_Amount",
                                   u"Direct_Delivery_Dtl_Unit_Price"};
    return trapped([this] { return loadSource(direct); });
}

// The source's header into the properties and every one of its lines, at its full quantity,
// into grid rows 1, 2, ... The grid is not resized: the caller gives it enough rows.
bool CashMemo::loadSource(const SourceKind &source) {
    const QString number = m_ReferenceNo;
    if (text::isBlank(number))
        return fail(source.message);
    Recordset master;
    master.open(QString::fromLatin1(source.master), {number}, m_ADOConnectionString, CursorType::Static);
    if (master.eof())
        return fail(source.message);
    m_ReferencePrefix = master.text(u"Document_Prefix");
    m_CustomerCode = master.text(u"Customer_Code");
    m_CustomerName = master.text(u"customer_name");
    if (source.paymentTermsAlways)
        m_PaymentTerms = columns::textOrEmpty(master, u"Payment_Terms");
    else
        columns::textIfSet(master, u"Payment_Terms", m_PaymentTerms);
    m_PaymentType = columns::textOrEmpty(master, u"Payment_Type");
    columns::textIfSet(master, u"Employee_ID", m_EmployeeID);
    columns::textIfSet(master, u"Employee_Name", m_EmployeeName);
    m_ForeignCurrencyFlag = columns::isTrue(master, u"Foreign_Currency_Flag");
    m_CurrencyCode = text::trimBlanks(columns::textOrEmpty(master, u"Currency_Code"));
    m_CurrencySymbol = text::trimBlanks(columns::textOrEmpty(master, u"Currency_Symbol"));
    auto amount = [&master](const char16_t *column) { return columns::numberOrZero(master, column); };
    m_CashMemoSubTotal = amount(source.subTotal);
    m_CashMemoFCSubTotal = amount(source.fcSubTotal);
    if (source.discPercent)
        m_CashMemoDiscPercent = amount(source.discPercent);
    m_CashMemoDiscAmount = amount(source.discount);
    m_CashMemoFcDiscAmount = amount(source.fcDiscount);
    m_CashMemoFCTotalAmount = amount(source.fcTotal);
    m_CashMemoTotalAmount = amount(source.total);
    m_ExchangeRate = amount(u"Exchange_Rate");
    master.close();

    Recordset detail;
    detail.open(QString::fromLatin1(source.detail), {number}, m_ADOConnectionString, CursorType::Static,
                LockType::ProviderDefault);
    if (detail.eof())
        return fail(msg::kInvalidItemDetails);
    LineGrid &lines = grid();
    for (int row = 1; !detail.eof(); ++row, detail.moveNext()) {
        const QVariant itemCode = detail.value(u"Item_Code");
        if (!itemCode.isNull())
            lines.setCellText(row, 1, itemCode.toString().mid(2));
        gridrules::writeText(lines, row, 2, detail.value(u"Item_Name"));
        gridrules::writeNumber(lines, row, 3, detail.value(u"Unit_Code"));
        writeUnit(lines, row, detail);
        gridrules::writeNumber(lines, row, 5, detail.value(u"Unit_Qty"));
        const QVariant quantity = detail.value(source.quantity);
        gridrules::writeNumber(lines, row, 6, quantity);
        gridrules::writeNumber(lines, row, 7, detail.value(source.fcPrice));
        if (source.lineDiscPercent)
            gridrules::writeNumber(lines, row, 8, detail.value(source.lineDiscPercent));
        gridrules::writeNumber(lines, row, 9, detail.value(source.lineFcDiscount));
        gridrules::writeNumber(lines, row, 10, detail.value(source.fcAmount));
        gridrules::writeNumber(lines, row, 11, detail.value(source.amount));
        gridrules::writeNumber(lines, row, 12, detail.value(source.lineDiscount));
        gridrules::writeNumber(lines, row, 13, detail.value(source.price));
        gridrules::writeNumber(lines, row, 14, quantity);
        gridrules::writeNumber(lines, row, 15, detail.value(u"SL_No"));
        const QVariant project = detail.value(u"Proj_No");
        if (!project.isNull()) {
            lines.setCellText(row, 16, project.toString().mid(7));
            lines.setCellText(row, 17, project.toString());
        }
        writeFreeOfCharge(lines, row, detail);
    }
    return true;
}

// ---- Cancelling and the source's paid mark ---------------------------------------------------

bool CashMemo::Cancel_CashMemo() {
    return trapped([this] {
        if (!m_adoConnection.isOpen())
            return fail(msg::kInvalidConnectionObject);
        if (text::isBlank(m_CashMemoNo))
            return fail(msg::kInvalidCashMemoNo);
        Recordset master;
        master.open(QStringLiteral("Select * from Cash_Memo_Master where Cash_Memo_No=?"), {m_CashMemoNo}, connection(),
                    CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidCashMemoNo);
        const bool processed = columns::isTrue(master, u"process_Flag");
        master.setValue(u"Cancel_Flag", 1);
        master.setValue(u"process_Flag", 0);
        master.setValue(u"Last_Update", m_LastUpdate);
        master.update();
        master.close();
        if (!processed)
            return true;
        // Only the ledger lines are taken back; stock, receivable, cheque and sales log stay.
        auto ledger = createObject<GeneralLedger>(service_ids::kGeneralLedger);
        ledger->setAdoConnectionObject(&connection());
        ledger->setDocumentNo(m_CashMemoNo);
        if (!ledger->GLDelete())
            return fail(ledger->ErrDesc());
        return true;
    });
}

bool CashMemo::Update_Source_Document() {
    return trapped([this] {
        const QString name = text::trimBlanks(m_ReferenceDocumentName);
        QString sql;
        if (name == kSalesOrder)
            sql = QStringLiteral("Select * from Sales_Order_Master where Sales_Ord_No=?");
        else if (name == kDelivery)
            sql = QStringLiteral("Select * from Delivery_Master where Delivery_No=?");
        else if (name == kDirectDelivery)
            sql = QStringLiteral("Select * from Direct_Delivery_Master where Direct_Delivery_No=?");
        else
            return true;
        Recordset source;
        source.open(sql, {text::trimBlanks(m_ReferenceNo)}, connection(), CursorType::Keyset);
        if (!source.eof()) {
            source.setValue(u"Paid_Flag", 1);
            source.setValue(u"Last_Update", m_LastUpdate);
            source.update();
        }
        return true;
    });
}

} // namespace orbsales
