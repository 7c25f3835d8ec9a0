#include "demo.h"
#include "demo_steps.h"
#include "front_end.h"
#include "sample_return.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/services/package/processed_sales.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>

// The sales return's part of the demonstration: part of an invoice comes back with its credit
// memo and moves the customer's balance, part of a delivery comes back without one, and a cash
// memo line comes back; the cost each costing method gave back is shown per line.
//
// The processed invoice, delivery and cash memo the goods come back from are written by
// package::writeProcessedSale, rows and effects as their processing leaves them.
namespace orbsales::cli {

namespace {

using package::SaleDocument;
using package::SaleKind;
using package::SaleLine;

const QString kCustomer = QStringLiteral("01C001");
const QString kCustomerName = QStringLiteral("Acme Trading LLC");

SaleLine line(const char *code, const char *name, double quantity, double price, double discount = 0) {
    return {demo::kCompany + QString::fromLatin1(code), QString::fromLatin1(name), QStringLiteral("Nos"), 1, quantity,
            price, discount, QString()};
}

QString writeSale(DemoContext &context, SaleKind kind, const QString &customer, const QString &name,
                  std::vector<SaleLine> lines, const QString &what) {
    SaleDocument sale;
    sale.kind = kind;
    sale.customerCode = customer;
    sale.customerName = name;
    sale.date = QDateTime(QDate::currentDate(), QTime(0, 0));
    sale.lines = std::move(lines);
    const package::WrittenSale written = package::writeProcessedSale(context.connection, sale);
    context.out << "> " << what << ": " << written.number
                << (written.deliveryNumber.isEmpty() ? QString() : QStringLiteral(" (over delivery %1)").arg(written.deliveryNumber))
                << ", total " << numbers::numberText(written.total) << ", cost of the goods "
                << numbers::numberText(numbers::roundHalfEven(written.cost, 2)) << '\n';
    return written.number;
}

double balanceOf(DemoContext &context, const QString &customer) {
    return context.connection
        .scalar(QStringLiteral("Select Customer_Balance from Customer_Master_Balance Where Customer_Code = ? and "
                               "Branch_Prefix = ?"),
                {customer, demo::kHeadOffice})
        .toDouble();
}

// The returned lines after processing: the costing method and what it gave back.
void printCosts(DemoContext &context, const QString &returnNo) {
    const Connection::Result rows = context.connection.select(
        QStringLiteral("Select R.Item_Code, I.Costing_Type, R.Sales_Rtn_Qty, R.Inventory_Value from "
                       "Sales_Return_Detail R, Item_Master I Where I.Item_Code = R.Item_Code and R.Sales_Rtn_No = ? "
                       "Order by R.SL_No"),
        {returnNo});
    QList<QStringList> table;
    for (const QVariantList &row : rows.rows) {
        const double quantity = row.at(2).toDouble();
        const double cost = row.at(3).toDouble();
        table << QStringList{row.at(0).toString().mid(2), row.at(1).toString(), numbers::numberText(quantity),
                             numbers::numberText(cost),
                             numbers::numberText(numbers::roundHalfEven(quantity == 0 ? 0 : cost / quantity, 4))};
    }
    context.out << "\n  The cost the goods came back at, by the item's costing method:\n";
    printTable(context.out, {"Item", "Costing", "Returned", "Cost given back", "Per unit"}, table);
}

void printCreditMemo(DemoContext &context, const QString &voucherNo) {
    if (voucherNo.isEmpty()) {
        context.out << "\n  No credit memo: goods returned from a delivery are not billed yet.\n";
        return;
    }
    const Connection::Result rows = context.connection.select(
        QStringLiteral("Select Voucher_Type, Account_No, Account_Name, Debit_Amount, Credit_Amount from Voucher_Detail "
                       "Where Voucher_No = ? Order by SL_No"),
        {voucherNo});
    QList<QStringList> table;
    for (const QVariantList &row : rows.rows)
        table << QStringList{row.at(0).toString(), row.at(1).toString(), row.at(2).toString(),
                             displayValue(row.at(3)), displayValue(row.at(4))};
    context.out << "\n  Credit memo " << voucherNo << ":\n";
    printTable(context.out, {"Type", "Account", "Name", "Debit", "Credit"}, table);
}

} // namespace

ProcessedReturn returnGoods(DemoContext &context, const SampleReturn &sample, const QString &what) {
    auto salesReturn = newSalesReturn(context.connection, context.db);
    MemoryGrid grid(2, kReturnGridColumns);
    salesReturn->setGrid("SalRetGridName", &grid);
    if (!keyInReturn(*salesReturn, grid, sample))
        throw OrbError(QStringLiteral("Loading %1 failed: %2").arg(sample.sourceNo, salesReturn->errDesc()));
    context.out << "\n  The lines of " << sample.sourceNo << " that can come back, as ticked on the screen:\n";
    printGrid(context.out, grid);
    context.out << '\n';
    demoRequire(context, *salesReturn, "Create_Sales_Rtn", what + QStringLiteral(", saved"));
    context.out << "  SalesRtnNo " << salesReturn->text("SalesRtnNo") << '\n';
    demoRequire(context, *salesReturn, "Return_Process", what + QStringLiteral(", processed"));
    const QString returnNo = salesReturn->text("SalesRtnNo");
    context.out << "  SalesRtnNo " << returnNo << ", total " << displayValue(salesReturn->get("SalesRtnTotalAmount"))
                << '\n';
    printCosts(context, returnNo);
    const QString creditMemoNo = salesReturn->text("VoucherNo");
    printCreditMemo(context, creditMemoNo);
    demoCall(context, *salesReturn, "Return_Process", QStringLiteral("the same return again"));
    return {returnNo, creditMemoNo};
}

void demoReturns(DemoContext &context) {
    context.out << "Acme Trading is invoiced three items bought at unit costs 5, 6 and 8 and costed FIFO (Copper\n"
                   "Pipe), LIFO (Paint Drum) and by average (Floor Tile), and brings part of them back. The return\n"
                   "raises the returned quantities on the invoice, takes the goods back into stock at the cost its\n"
                   "costing method finds in the purchase lots, and credits the customer with a credit memo.\n\n";
    const QString invoice =
        writeSale(context, SaleKind::Invoice, kCustomer, kCustomerName,
                  {line("F100", "Copper Pipe", 3, 12, 0.5), line("L100", "Paint Drum", 3, 12, 0.5),
                   line("V100", "Floor Tile", 3, 12, 0.5)},
                  QStringLiteral("invoice"));
    const double before = balanceOf(context, kCustomer);
    returnGoods(context,
                {QStringLiteral("INV"), invoice, {{"F100", 2}, {"L100", 2}, {"V100", 1}}, QStringLiteral("Wrong size")},
                QStringLiteral("return against the invoice"));
    const double after = balanceOf(context, kCustomer);
    context.out << "\n  Acme Trading's balance at the head office: " << numbers::numberText(before) << " before, "
                << numbers::numberText(after) << " after (" << numbers::numberText(after - before) << ")\n";

    context.out << "\nA delivery not yet invoiced: part of it comes back into stock, with no credit memo.\n\n";
    const QString delivery = writeSale(context, SaleKind::Delivery, kCustomer, kCustomerName,
                                       {line("F100", "Copper Pipe", 4, 12)}, QStringLiteral("delivery"));
    returnGoods(context, {QStringLiteral("DEL"), delivery, {{"F100", 1}}, QStringLiteral("Not needed")},
                QStringLiteral("return against the delivery"));
    const double afterDelivery = balanceOf(context, kCustomer);
    context.out << "\n  Acme Trading's balance stays " << numbers::numberText(afterDelivery) << '\n';

    context.out << "\nA walk-in customer paid a cash memo of two lines and brings one of them back.\n\n";
    const QString cashMemo =
        writeSale(context, SaleKind::CashMemo, QStringLiteral("01C004"), QStringLiteral("Walk-in Customer"),
                  {line("A100", "Widget", 2, 12.5), line("V100", "Floor Tile", 2, 12)}, QStringLiteral("cash memo"));
    returnGoods(context, {QStringLiteral("CHM"), cashMemo, {{"V100", 1}}, QStringLiteral("Changed mind")},
                QStringLiteral("return of a cash memo line"));
}

} // namespace orbsales::cli
