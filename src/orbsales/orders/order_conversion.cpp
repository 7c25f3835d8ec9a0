#include "orbsales/orders/sales_order.h"

#include "orbsales/cashmemos/cash_memo.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/line_serial.h"
#include "orbsales/data/recordset.h"
#include "orbsales/deliveries/delivery.h"
#include "orbsales/frame/registry.h"
#include "orbsales/invoices/sales_invoice.h"
#include "orbsales/values/dates.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

// A processed order turned, in one call each, into a delivery, a cash memo, or an invoice of the
// delivery just made. Each new document saves its own master row, the order copies its lines into
// the document's detail table, and the document then updates its source and processes itself.
// Nothing is undone when a step fails: what the steps before it wrote stays written.

namespace orbsales {

namespace {

using numbers::throughText;

// Text columns are copied when they hold something; a null stays unset.
void copyWhenNotNull(Recordset &target, Recordset &source, std::initializer_list<QStringView> columns) {
    for (QStringView column : columns)
        if (!source.isNull(column))
            target.setValue(column, source.value(column));
}

void copyCommonColumns(Recordset &target, Recordset &source) {
    copyWhenNotNull(target, source, {u"Item_Code", u"Item_Name", u"Unit_Name", u"FOC_Flag", u"Proj_No"});
    target.setValue(u"Unit_Code", source.number(u"Unit_Code"));
    target.setValue(u"Unit_Qty", source.number(u"Unit_Qty"));
}

// One row of `targetTable` per source line, in the order the source gives them, each with the
// table's next serial, the columns every line copies and `fill`'s own.
template <typename Fill>
void copyLines(Connection &connection, const QString &sourceSql, const QString &sourceNo, const QString &targetTable,
               const QDateTime &lastUpdate, Fill fill) {
    Recordset source;
    source.open(sourceSql, {sourceNo}, connection, CursorType::Static);
    Recordset target;
    target.open(QStringLiteral("Select * from ") + targetTable, {}, connection, CursorType::Keyset);
    for (; !source.eof(); source.moveNext()) {
        LineSerial serial(connection, targetTable);
        target.addNew();
        target.setValue(u"SL_No", serial.value());
        copyCommonColumns(target, source);
        fill(target, source);
        target.setValue(u"Last_Update", lastUpdate);
        target.update();
        serial.written();
    }
}

const QString kOrderLines = QStringLiteral("Select * from Sales_Order_Detail Where Sales_Ord_No=?");

} // namespace

// Besides the header the mapping names, the new document works on the order's own connection and
// connection string, with its rounding and processing mode: an online order's documents are
// processed online, with their stock and postings.
template <typename Document> void SalesOrder::handOver(Document &document) const {
    document.setAdoDBConnectionObject(&connection());
    document.setADOConnectionString(m_ADOConnectionString);
    document.setAmtDig(m_AmtDig);
    document.setOnlineFlag(m_OnlineFlag);
    document.setSyncFlag(m_SyncFlag);
    document.setCompanyPrefix(m_CompanyPrefix);
    document.setBranchPrefix(m_BranchPrefix);
    document.setCurrencyCode(m_CurrencyCode);
    document.setForeignCurrencyFlag(m_ForeignCurrencyFlag);
    // The rate the order was saved with: 1 for the home currency.
    document.setExchangeRate(m_ForeignCurrencyFlag ? m_ExchangeRate : 1.0);
    document.setCustomerCode(m_CustomerCode);
    document.setCustomerName(m_CustomerName);
    document.setPaymentTerms(m_PaymentTerms);
    document.setEmployeeID(m_EmployeeID);
    document.setEmployeeName(m_EmployeeName);
    document.setLastUpdate(m_LastUpdate);
}

bool SalesOrder::Process_Delivery(const QString &strType) { return Process_Delivery(strType, false); }

bool SalesOrder::Process_Delivery(const QString &strType, bool pCashMemoSelected) {
    return trapped([&] {
        Delivery delivery;
        handOver(delivery);
        delivery.setDocumentPrefix(m_DeliveryPrefix);
        delivery.setDeliveryDate(m_SalesOrdDate);
        delivery.setSourceDate(m_SalesOrdDate);
        delivery.setPaymentType(strType);
        delivery.setDeliveryComments(m_SalesOrdComments);
        delivery.setDeliverySubtotal(throughText(m_SalesOrdSubTotal));
        delivery.setDeliveryFCSubtotal(throughText(m_SalesOrdFCSubTotal));
        delivery.setDeliveryDiscAmount(throughText(m_SalesOrdDiscAmount));
        delivery.setDeliveryFCDiscAmount(throughText(m_SalesOrdFCDiscAmount));
        delivery.setDeliveryTotalAmount(throughText(m_SalesOrdTotalAmount));
        delivery.setDeliveryFCTotalAmount(throughText(m_SalesOrdFCTotalAmount));
        delivery.setLocationID(m_LocationID);
        delivery.setLocationName(m_LocationName);
        delivery.setStockMovementPrefix(m_StockMovementPrefix);
        delivery.setSalesLogPrefix(m_SalesLogPrefix);
        delivery.setSourceNo(m_SalesOrdNo);
        delivery.setSourcePrefix(m_DocumentPrefix);
        delivery.setSourceName(QStringLiteral("SalesOrder"));
        delivery.setPaidFlag(pCashMemoSelected);

        bool saveDetail = false; // the lines come from the order
        if (!delivery.Create_Delivery(saveDetail))
            return fail(delivery.ErrDesc());
        if (!Create_Delivery_Detail(delivery.DeliveryNo()))
            return false;
        if (!delivery.Update_Sales_Order())
            return fail(delivery.ErrDesc());
        QString from = QStringLiteral("SalesOrder");
        if (!delivery.Process_Delivery(from))
            return fail(delivery.ErrDesc());
        m_lastDeliveryNo = delivery.DeliveryNo();
        m_lastDeliveryDate = dates::ddMmmYyyy(delivery.DeliveryDate());
        return true;
    });
}

bool SalesOrder::Process_CashMemo(const QString &strType, bool pDelivered) {
    return trapped([&] {
        CashMemo memo;
        handOver(memo);
        memo.setDocumentPrefix(m_CashMemoPrefix);
        memo.setCashMemoDate(m_SalesOrdDate);
        memo.setPaymentType(strType);
        memo.setCashMemoComments(m_SalesOrdComments);
        memo.setCashMemoSubTotal(throughText(m_SalesOrdSubTotal));
        memo.setCashMemoFCSubTotal(throughText(m_SalesOrdFCSubTotal));
        memo.setCashMemoDiscAmount(throughText(m_SalesOrdDiscAmount));
        memo.setCashMemoFcDiscAmount(throughText(m_SalesOrdFCDiscAmount));
        memo.setCashMemoTotalAmount(throughText(m_SalesOrdTotalAmount));
        memo.setCashMemoFCTotalAmount(throughText(m_SalesOrdFCTotalAmount));
        memo.setReferenceNo(m_SalesOrdNo);
        memo.setReferencePrefix(m_DocumentPrefix);
        memo.setReferenceDocumentName(QStringLiteral("Sales Order"));

        bool saveDetail = false;
        if (!memo.Create_CashMemo(saveDetail))
            return fail(memo.ErrDesc());
        if (!Create_CashMemo_Detail(memo.CashMemoNo(), pDelivered))
            return false;
        if (!memo.Process_CashMemo())
            return fail(memo.ErrDesc());
        return true;
    });
}

// The invoice is made by its identifier, so that the registry's entry (a front end's own, or a
// test's) is the one driven.
bool SalesOrder::Process_Invoice(const QString &strType) {
    return trapped([&] {
        std::unique_ptr<SalesInvoice> invoice = createObject<SalesInvoice>(QStringLiteral("OrbSales.SalesInvoice"));
        handOver(*invoice);
        invoice->setDocumentPrefix(m_InvoicePrefix);
        invoice->setSalesInvDate(m_SalesOrdDate);
        invoice->setPaymentType(strType);
        invoice->setSalesInvComments(m_SalesOrdComments);
        invoice->setSalesInvSubtotal(throughText(m_SalesOrdSubTotal));
        invoice->setSalesInvFCsubtotal(throughText(m_SalesOrdFCSubTotal));
        invoice->setSalesInvDiscAmount(throughText(m_SalesOrdDiscAmount));
        invoice->setSalesInvFCDiscAmount(throughText(m_SalesOrdFCDiscAmount));
        invoice->setSalesInvTotalAmount(throughText(m_SalesOrdTotalAmount));
        invoice->setSalesInvFCTotalAmount(throughText(m_SalesOrdFCTotalAmount));

        bool saveDetail = false;
        if (!invoice->Create_Sales_Invoice(saveDetail))
            return fail(invoice->ErrDesc());
        if (!Create_Invoice_Detail(invoice->SalesInvNo()))
            return false;
        if (!invoice->Process_Invoice())
            return fail(invoice->ErrDesc());
        return true;
    });
}

bool SalesOrder::Create_Delivery_Detail(const QString &strDelNo) {
    return trapped([&] {
        copyLines(connection(), kOrderLines, text::trimBlanks(m_SalesOrdNo), QStringLiteral("Delivery_Detail"),
                  m_LastUpdate, [&](Recordset &target, Recordset &source) {
                      target.setValue(u"Delivery_No", columns::exactText(strDelNo));
                      target.setValue(u"Delivery_Qty", source.number(u"Sales_Ord_Ordered_Qty"));
                      target.setValue(u"Sales_Ord_Dtl_SL_No", source.number(u"SL_No"));
                      target.setValue(u"Delivery_Dtl_Unit_Price", source.value(u"Sales_Ord_Unit_Price"));
                      target.setValue(u"Delivery_Disc_Amount", source.value(u"Sales_Ord_Disc_Amount"));
                      target.setValue(u"Delivery_FC_Disc_Amount", source.value(u"Sales_Ord_FC_Disc_Amount"));
                      target.setValue(u"Delivery_Item_Amount", source.value(u"Sales_Ord_Item_Amount"));
                      target.setValue(u"Delivery_FC_Item_Amount", source.value(u"Sales_Ord_FC_Item_Amount"));
                      target.setValue(u"Delivery_Dtl_FC_Unit_Price", source.value(u"Sales_Ord_FC_Unit_Price"));
                      target.setValue(u"Sales_Ord_Balance_Qty", 0);
                  });
        return true;
    });
}

bool SalesOrder::Create_CashMemo_Detail(const QString &strCMNo, bool pDelivered) {
    return trapped([&] {
        copyLines(connection(), kOrderLines, text::trimBlanks(m_SalesOrdNo), QStringLiteral("Cash_Memo_Detail"),
                  m_LastUpdate, [&](Recordset &target, Recordset &source) {
                      const double ordered = source.number(u"Sales_Ord_Ordered_Qty");
                      target.setValue(u"Cash_Memo_No", columns::exactText(strCMNo));
                      target.setValue(u"Cash_Memo_Qty", ordered);
                      target.setValue(u"Cash_Memo_Delivered_Qty", pDelivered ? ordered : 0.0);
                      target.setValue(u"Reference_SL_No", source.number(u"SL_No"));
                      target.setValue(u"Cash_Memo_Unit_Price", source.value(u"Sales_Ord_Unit_Price"));
                      target.setValue(u"Cash_Memo_Disc_Amount", source.value(u"Sales_Ord_Disc_Amount"));
                      target.setValue(u"Cash_Memo_FC_Disc_Amount", source.value(u"Sales_Ord_FC_Disc_Amount"));
                      target.setValue(u"Cash_Memo_Item_Amount", source.value(u"Sales_Ord_Item_Amount"));
                      target.setValue(u"Cash_Memo_FC_Item_Amount", source.value(u"Sales_Ord_FC_Item_Amount"));
                      target.setValue(u"Cash_Memo_FC_Unit_Price", source.value(u"Sales_Ord_FC_Unit_Price"));
                  });
        return true;
    });
}

// The lines of the delivery converted last on this object; an object that converted none makes
// an invoice without lines, as the front end may have meant to fill it later.
bool SalesOrder::Create_Invoice_Detail(const QString &strInvNo) {
    return trapped([&] {
        copyLines(connection(), QStringLiteral("Select * from Delivery_Detail Where Delivery_No=?"), m_lastDeliveryNo,
                  QStringLiteral("Sales_Invoice_Detail"), m_LastUpdate, [&](Recordset &target, Recordset &source) {
                      target.setValue(u"Sales_Inv_No", columns::exactText(strInvNo));
                      target.setValue(u"Delivery_No", columns::exactText(m_lastDeliveryNo));
                      target.setValue(u"Delivery_Date", m_lastDeliveryDate);
                      target.setValue(u"Delivery_Flag", QStringLiteral("SalesOrder"));
                      // The delivery's number from its 8th character on: the identity after the prefixes.
                      target.setValue(u"Delivery_Identity", m_lastDeliveryNo.mid(7));
                      target.setValue(u"Sales_Inv_Qty", source.number(u"Delivery_Qty"));
                      target.setValue(u"Delivery_Qty", source.number(u"Delivery_Qty"));
                      target.setValue(u"Delivery_Dtl_SL_No", source.number(u"SL_No"));
                      target.setValue(u"Sales_Inv_Unit_Price", source.value(u"Delivery_Dtl_Unit_Price"));
                      target.setValue(u"Sales_Inv_Dtl_Disc_Amount", source.value(u"Delivery_Disc_Amount"));
                      target.setValue(u"Sales_Inv_Dtl_FC_Disc_Amount", source.value(u"Delivery_FC_Disc_Amount"));
                      target.setValue(u"Sales_Inv_Item_Amount", source.value(u"Delivery_Item_Amount"));
                      target.setValue(u"Sales_Inv_FC_Item_Amount", source.value(u"Delivery_FC_Item_Amount"));
                      target.setValue(u"Sales_Inv_FC_Unit_Price", source.value(u"Delivery_Dtl_FC_Unit_Price"));
                  });
        return true;
    });
}

} // namespace orbsales
