#include "faults/ready_documents.h"

#include "cash_memo_sample.h"
#include "demo.h"
#include "front_end.h"
#include "sample_delivery.h"
#include "sample_quotation.h"
#include "sample_return.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/errors.h"

#include <QDateTime>
#include <memory>

// Each document is made as its screen makes it on the demo company, through the front end's door;
// only the object that makes the call gets AtomicFlag, set just before the call.
namespace orbsales::testing {

namespace {

using cli::FrontEndObject;
using Object = std::shared_ptr<FrontEndObject>;
using Grid = std::shared_ptr<MemoryGrid>;

const QString kHeadOffice = demo::kHeadOffice;

void require(bool done, const FrontEndObject &object, const char *operation) {
    if (!done)
        throw OrbError(QStringLiteral("%1 failed while preparing: %2").arg(QLatin1String(operation), object.errDesc()));
}

void require(FrontEndObject &object, const char *operation) { require(object.call(operation), object, operation); }

// The call on `object`, which keeps `keep` (grids, other objects) alive as long as the call.
ReadyCall readyCall(const Object &object, bool atomic, std::function<bool()> call,
                    std::shared_ptr<void> keep = nullptr) {
    object->set("AtomicFlag", atomic);
    return {[call = std::move(call), keep] { return call(); }, [object] { return object->errDesc(); }};
}

ReadyCall readyCall(const Object &object, bool atomic, const char *operation, std::shared_ptr<void> keep = nullptr) {
    return readyCall(
        object, atomic, [object, operation] { return object->call(operation); }, std::move(keep));
}

// ---- orders ----

void setConversions(Connection &caller, int cashDelivery, int cashMemo, int creditDelivery, int creditInvoice) {
    caller.execute(QStringLiteral("Update Default_Sales_Preferences Set Cash_SO_Delivery_Flag = ?, "
                                  "Cash_SO_Cash_Memo_Flag = ?, Credit_SO_Delivery_Flag = ?, Credit_SO_Invoice_Flag = ? "
                                  "Where Company_Prefix = ? and Branch_Prefix = ?"),
                   {cashDelivery, cashMemo, creditDelivery, creditInvoice, demo::kCompany, kHeadOffice});
}

// An order of a stock item and a service saved under its temporary number.
Object savedOrder(Connection &caller, const QString &db, const Grid &grid, const QString &paymentType, bool online) {
    cli::SampleQuotation sample;
    sample.customerCode = QStringLiteral("C001");
    sample.customerName = QStringLiteral("Acme Trading LLC");
    sample.lines = {{QStringLiteral("A100"), 3}, {QStringLiteral("S100"), 2}};
    auto order = std::make_shared<FrontEndObject>(QStringLiteral("OrbSales.SalesOrder"));
    order->set("AdoConnectionObject", QVariant::fromValue(&caller));
    order->set("ADOConnectionString", db);
    cli::fillOrder(*order, *grid, sample);
    order->set("PaymentType", paymentType);
    if (paymentType == QLatin1String("Cash"))
        order->set("PaymentTerms", QString());
    if (online) {
        order->set("DeliveryPrefix", QStringLiteral("DEL"));
        order->set("CashMemoPrefix", QStringLiteral("CHM"));
        order->set("InvoicePrefix", QStringLiteral("INV"));
        order->set("StockMovementPrefix", QStringLiteral("DEL"));
        order->set("SalesLogPrefix", QStringLiteral("INV"));
        order->set("LocationID", 1);
        order->set("LocationName", QStringLiteral("Main Warehouse"));
        order->set("OnlineFlag", true);
    }
    require(*order, "Create_Order");
    return order;
}

ReadyCall orderOffline(Connection &caller, const QString &db, bool atomic) {
    auto grid = std::make_shared<MemoryGrid>(6, cli::kOrderGridColumns);
    Object order = savedOrder(caller, db, grid, QStringLiteral("Credit"), false);
    return readyCall(order, atomic, "Process_Order", grid);
}

// Online, a credit order becomes a delivery and the delivery's invoice.
ReadyCall orderOnlineCredit(Connection &caller, const QString &db, bool atomic) {
    setConversions(caller, 0, 0, 1, 1);
    auto grid = std::make_shared<MemoryGrid>(6, cli::kOrderGridColumns);
    Object order = savedOrder(caller, db, grid, QStringLiteral("Credit"), true);
    return readyCall(order, atomic, "Process_Order", grid);
}

// Online, a cash order becomes a delivery and a cash memo of the delivered goods.
ReadyCall orderOnlineCash(Connection &caller, const QString &db, bool atomic) {
    setConversions(caller, 1, 1, 0, 0);
    auto grid = std::make_shared<MemoryGrid>(6, cli::kOrderGridColumns);
    Object order = savedOrder(caller, db, grid, QStringLiteral("Cash"), true);
    return readyCall(order, atomic, "Process_Order", grid);
}

// ---- deliveries ----

QString processedOrder(Connection &caller, const QString &db) {
    auto grid = std::make_shared<MemoryGrid>(6, cli::kOrderGridColumns);
    Object order = savedOrder(caller, db, grid, QStringLiteral("Credit"), false);
    require(*order, "Process_Order");
    return order->text("SalesOrdNo");
}

ReadyCall deliveryFromOrder(Connection &caller, const QString &db, bool atomic) {
    const QString orderNo = processedOrder(caller, db);
    auto grid = std::make_shared<MemoryGrid>(6, cli::kDeliveryGridColumns);
    Object delivery = cli::newDelivery(caller, db, kHeadOffice);
    delivery->set("SourceNo", orderNo);
    delivery->setGrid("DeliveryGridName", grid.get());
    require(*delivery, "Get_Order_Details");
    cli::pickLines(*delivery, *grid, kHeadOffice, [](int, double open) { return open; });
    delivery->set("SourceName", QStringLiteral("SalesOrder"));
    require(*delivery, "Create_Delivery");
    require(*delivery, "Update_Sales_Order");
    return readyCall(
        delivery, atomic, [delivery] { return cli::processDelivery(*delivery, QStringLiteral("SalesOrder")); }, grid);
}

// A stock line and a free sample from the head office's main store.
ReadyCall directDelivery(Connection &caller, const QString &db, bool atomic) {
    auto grid = std::make_shared<MemoryGrid>(4, cli::kDirectDeliveryGridColumns);
    const QStringList lines[] = {
        {"A200", "Gadget", "1", "Nos", "1", "3", "40", "0", "0", "120", "120", "0", "40", "Main Warehouse", "", "", "1",
         "0"},
        {"A100", "Widget (sample)", "1", "Nos", "1", "2", "12.5", "0", "0", "0", "0", "0", "12.5", "Main Warehouse", "",
         "", "1", "1"},
    };
    for (int row = 1; const QStringList &cells : lines) {
        for (int col = 1; col <= cells.size(); ++col)
            grid->setCellText(row, col, cells[col - 1]);
        ++row;
    }
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    auto direct = std::make_shared<FrontEndObject>(QStringLiteral("OrbSales.DirectDelivery"));
    direct->set("AdoDBConnectionObject", QVariant::fromValue(&caller));
    direct->set("ADOConnectionString", db);
    direct->set("CompanyPrefix", demo::kCompany);
    direct->set("BranchPrefix", kHeadOffice);
    direct->set("DocumentPrefix", QStringLiteral("DDL"));
    direct->set("StockMovementPrefix", QStringLiteral("DDL"));
    direct->set("CustomerCode", demo::kCompany + QStringLiteral("C002"));
    direct->set("CustomerName", QStringLiteral("Gulf Builders Co."));
    direct->set("PaymentType", QStringLiteral("Credit"));
    direct->set("PaymentTerms", QStringLiteral("60 Days"));
    direct->set("CurrencyCode", demo::kHomeCurrency);
    direct->set("DirectDeliveryDate", today);
    direct->set("DirectDeliveryEndDate", today);
    for (const char *total : {"DirectDeliverySubtotal", "DirectDeliveryFCSubtotal", "DirectDeliveryTotalAmount",
                              "DirectDeliveryFCTotalAmount"})
        direct->set(total, 120.0);
    direct->set("AmtDig", 2.0);
    direct->set("OnlineFlag", true);
    direct->set("LastUpdate", QDateTime::currentDateTime());
    direct->setGrid("DeliveryGridName", grid.get());
    require(*direct, "Create_Direct_Delivery");
    return readyCall(direct, atomic, "Process_Direct_Delivery", grid);
}

// ---- cash memos ----

Object savedCashMemo(Connection &caller, const QString &db, const Grid &grid) {
    auto memo = std::make_shared<FrontEndObject>(QStringLiteral("OrbSales.CashMemo"));
    memo->set("AdoDBConnectionObject", QVariant::fromValue(&caller));
    memo->set("ADOConnectionString", db);
    cli::keyCashMemo(*memo, *grid, {{QStringLiteral("A100"), 3}, {QStringLiteral("A200"), -1}});
    memo->set("CustomerCode", demo::kCompany + QStringLiteral("C004"));
    memo->set("CustomerName", QStringLiteral("Walk-in Customer"));
    memo->set("PaymentType", QStringLiteral("Cash"));
    require(*memo, "Create_CashMemo");
    return memo;
}

ReadyCall cashMemoProcessCashMemo(Connection &caller, const QString &db, bool atomic) {
    auto grid = std::make_shared<MemoryGrid>(5, cli::kCashMemoGridColumns);
    return readyCall(savedCashMemo(caller, db, grid), atomic, "Process_CashMemo", grid);
}

ReadyCall cashMemoProcess(Connection &caller, const QString &db, bool atomic) {
    auto grid = std::make_shared<MemoryGrid>(5, cli::kCashMemoGridColumns);
    return readyCall(savedCashMemo(caller, db, grid), atomic, "Process", grid);
}

ReadyCall cashMemoCancel(Connection &caller, const QString &db, bool atomic) {
    auto grid = std::make_shared<MemoryGrid>(5, cli::kCashMemoGridColumns);
    Object memo = savedCashMemo(caller, db, grid);
    require(*memo, "Process");
    auto cancelling = std::make_shared<FrontEndObject>(QStringLiteral("OrbSales.CashMemo"));
    cancelling->set("AdoDBConnectionObject", QVariant::fromValue(&caller));
    cancelling->set("ADOConnectionString", db);
    cancelling->set("CashMemoNo", memo->text("CashMemoNo"));
    cancelling->set("LastUpdate", QDateTime::currentDateTime());
    return readyCall(cancelling, atomic, "Cancel_CashMemo");
}

// ---- invoices ----

constexpr int kInvoiceGridColumns = 32; // columns 1 to 31 are the invoice's

// An invoice of the head office's open deliveries of Harbour Imports (billed in US Dollars),
// every line ticked, saved.
Object savedInvoice(Connection &caller, const QString &db, const Grid &grid) {
    auto invoice = std::make_shared<FrontEndObject>(QStringLiteral("OrbSales.SalesInvoice"));
    invoice->set("AdoDBConnectionObject", QVariant::fromValue(&caller));
    invoice->set("ADOConnectionString", db);
    invoice->set("CompanyPrefix", demo::kCompany);
    invoice->set("BranchPrefix", kHeadOffice);
    invoice->set("DocumentPrefix", QStringLiteral("INV"));
    invoice->set("CustomerCode", demo::kCompany + QStringLiteral("C003"));
    invoice->setGrid("InvoiceGridName", grid.get());
    bool allBranches = false;
    bool loaded = false;
    if (!QMetaObject::invokeMethod(&invoice->object(), "Get_Delivery_Details", Qt::DirectConnection,
                                   Q_RETURN_ARG(bool, loaded), Q_ARG(bool &, allBranches)))
        throw OrbError(QStringLiteral("no operation Get_Delivery_Details(Boolean&)"));
    require(loaded, *invoice, "Get_Delivery_Details");
    double subtotal = 0;
    double fcSubtotal = 0;
    for (int row = 1; row < grid->rowCount() && !grid->cellText(row, 3).isEmpty(); ++row) {
        grid->setCellText(row, 1, QStringLiteral("1"));
        subtotal += grid->cellNumber(row, 15);
        fcSubtotal += grid->cellNumber(row, 16);
    }
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    invoice->set("CustomerName", QStringLiteral("Harbour Imports Inc."));
    invoice->set("SalesInvDate", today);
    invoice->set("SalesInvEndDate", today.addDays(30));
    invoice->set("PaymentType", QStringLiteral("Credit"));
    invoice->set("PaymentTerms", QStringLiteral("30 Days"));
    invoice->set("CurrencyCode", demo::kForeignCurrency);
    invoice->set("ForeignCurrencyFlag", true);
    invoice->set("ExchangeRate", demo::kForeignRate);
    invoice->set("AmtDig", 2.0);
    invoice->set("SalesLogPrefix", QStringLiteral("INV"));
    invoice->set("SalesInvSubtotal", subtotal);
    invoice->set("SalesInvFCsubtotal", fcSubtotal);
    invoice->set("SalesInvTotalAmount", subtotal);
    invoice->set("SalesInvFCTotalAmount", fcSubtotal);
    invoice->set("OnlineFlag", true);
    invoice->set("SyncFlag", false);
    invoice->set("LastUpdate", QDateTime::currentDateTime());
    require(*invoice, "Create_Sales_Invoice");
    return invoice;
}

ReadyCall invoiceProcess(Connection &caller, const QString &db, bool atomic) {
    auto grid = std::make_shared<MemoryGrid>(4, kInvoiceGridColumns);
    return readyCall(savedInvoice(caller, db, grid), atomic, "Process_Invoice", grid);
}

ReadyCall invoiceProcess123(Connection &caller, const QString &db, bool atomic) {
    auto grid = std::make_shared<MemoryGrid>(4, kInvoiceGridColumns);
    return readyCall(savedInvoice(caller, db, grid), atomic, "Process_Invoice123", grid);
}

ReadyCall invoiceCancel(Connection &caller, const QString &db, bool atomic) {
    auto grid = std::make_shared<MemoryGrid>(4, kInvoiceGridColumns);
    Object invoice = savedInvoice(caller, db, grid);
    require(*invoice, "Process_Invoice");
    auto cancelling = std::make_shared<FrontEndObject>(QStringLiteral("OrbSales.SalesInvoice"));
    cancelling->set("AdoDBConnectionObject", QVariant::fromValue(&caller));
    cancelling->set("ADOConnectionString", db);
    cancelling->set("SalesInvNo", invoice->text("SalesInvNo"));
    cancelling->set("LastUpdate", QDateTime::currentDateTime());
    return readyCall(cancelling, atomic, "Cancel_Invoice");
}

// ---- returns ----

// Two lines of the demo company's direct sales invoice come back; the return credits the
// customer with a credit memo.
ReadyCall returnProcess(Connection &caller, const QString &db, bool atomic) {
    const QString invoiceNo =
        caller.scalar(QStringLiteral("Select min(Dir_Sales_Inv_No) from Direct_Sales_Invoice_Master")).toString();
    auto grid = std::make_shared<MemoryGrid>(2, cli::kReturnGridColumns);
    Object salesReturn = cli::newSalesReturn(caller, db);
    salesReturn->setGrid("SalRetGridName", grid.get());
    require(cli::keyInReturn(*salesReturn, *grid,
                             {QStringLiteral("DSI"),
                              invoiceNo,
                              {{QStringLiteral("F100"), 2}, {QStringLiteral("V100"), 1}},
                              QStringLiteral("Wrong size")}),
            *salesReturn, "loading the invoice");
    require(*salesReturn, "Create_Sales_Rtn");
    return readyCall(salesReturn, atomic, "Return_Process", grid);
}

// ---- customers' opening balances ----

bool callWithText(FrontEndObject &object, const char *operation, const QString &argument) {
    bool result = false;
    if (!QMetaObject::invokeMethod(&object.object(), operation, Qt::DirectConnection, Q_RETURN_ARG(bool, result),
                                   Q_ARG(QString, argument)))
        throw OrbError(QStringLiteral("no operation %1(String)").arg(QLatin1String(operation)));
    return result;
}

// A new customer in US Dollars with two open invoices carried over from the old books.
ReadyCall openingBalances(Connection &caller, const QString &db, bool atomic) {
    const QString code = demo::kCompany + QStringLiteral("OB1");
    const QString name = QStringLiteral("Oasis Marine Supplies FZE");
    FrontEndObject customer(QStringLiteral("OrbSales.Customer"));
    customer.set("ConnectionString", db);
    customer.set("CompanyPrefix", demo::kCompany);
    customer.set("BranchPrefix", kHeadOffice);
    customer.set("CustomerCode", code);
    customer.set("CustomerName", name);
    customer.set("CustomerPaymentType", QStringLiteral("Credit"));
    customer.set("CustomerPaymentTerms", QStringLiteral("60 Days"));
    customer.set("CustomerCurrencyCode", demo::kForeignCurrency);
    customer.set("CurrencyCode", demo::kForeignCurrency);
    customer.set("CurrencyName", QStringLiteral("US Dollar"));
    customer.set("ForeignCurrencyFlag", true);
    customer.set("ARAccountNo", demo::kCompany + kHeadOffice + QStringLiteral("1200"));
    customer.set("LastUpdate", QDateTime::currentDateTime());
    require(customer, "Create_Customer");

    auto newOb = [&](const Grid &grid, const QString &prefix) {
        auto ob = std::make_shared<FrontEndObject>(QStringLiteral("OrbSales.CustomerOB"));
        ob->set("AdoConnectionObject", QVariant::fromValue(&caller));
        ob->set("ConnectionString", db);
        ob->set("CompanyPrefix", demo::kCompany);
        ob->set("BranchPrefix", kHeadOffice);
        ob->set("DocumentPrefix", prefix);
        ob->set("CustomerCode", code);
        ob->set("CustomerName", name);
        ob->set("ForeignCurrencyFlag", true);
        ob->set("CurrencyCode", demo::kForeignCurrency);
        ob->set("Database", QStringLiteral("SQLSERVER"));
        ob->set("SyncFlag", false);
        ob->set("LastUpdate", QDateTime::currentDateTime());
        ob->setGrid("GridName", grid.get());
        return ob;
    };
    auto entered = std::make_shared<MemoryGrid>(4, 9);
    entered->setRow(1, {QString(), QStringLiteral("INV/2025/0412"), QStringLiteral("15/Nov/2025"),
                        QStringLiteral("1000"), QString(), QStringLiteral("3.6725"), QStringLiteral("Marine paint")});
    entered->setRow(2, {QString(), QStringLiteral("INV/2025/0431"), QStringLiteral("03/Dec/2025"),
                        QStringLiteral("480"), QString(), QStringLiteral("3.6725"), QString()});
    Object entering = newOb(entered, QString());
    require(callWithText(*entering, "Create_OB", QStringLiteral("Debit")), *entering, "Create_OB");

    auto grid = std::make_shared<MemoryGrid>(2, 9);
    Object ob = newOb(grid, QStringLiteral("COB"));
    return readyCall(
        ob, atomic, [ob] { return callWithText(*ob, "Process_OB", QStringLiteral("Debit")); }, grid);
}

} // namespace

const std::vector<ProcessingOperation> &processingOperations() {
    static const std::vector<ProcessingOperation> operations{
        {"OrderProcessedOffline", orderOffline, true},
        {"OrderProcessedOnlineIntoDeliveryAndInvoice", orderOnlineCredit, true},
        {"OrderProcessedOnlineIntoDeliveryAndCashMemo", orderOnlineCash, true},
        {"DeliveryFromOrder", deliveryFromOrder, true},
        {"DirectDelivery", directDelivery, false},
        {"CashMemoProcessCashMemo", cashMemoProcessCashMemo, false},
        {"CashMemoProcess", cashMemoProcess, false},
        {"CashMemoCancel", cashMemoCancel, false},
        {"InvoiceProcess", invoiceProcess, true, true},
        {"InvoiceProcess123", invoiceProcess123, true, true},
        {"InvoiceCancel", invoiceCancel, true},
        {"ReturnWithCreditMemo", returnProcess, false},
        {"CustomerOpeningBalances", openingBalances, true},
    };
    return operations;
}

} // namespace orbsales::testing
