#include "cash_memo_sample.h"
#include "demo.h"
#include "demo_steps.h"
#include "front_end.h"
#include "sample_quotation.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/books.h"
#include "orbsales/values/numbers.h"

#include <QDateTime>
#include <memory>

// The cash memo's part of the demonstration: a cash sale made from a processed cash order, a
// sale paid by cheque, and a point-of-sale memo on which a customer also brings one item back;
// with the cash account, the cheque record and the stock before and after.
namespace orbsales::cli {

namespace {

const QString kCashMemo = QStringLiteral("OrbSales.CashMemo");
const QString kCashAccount = demo::kCompany + demo::kHeadOffice + QStringLiteral("1000");

const QStringList kMemoFields{QStringLiteral("CashMemoNo"),          QStringLiteral("CustomerCode"),
                              QStringLiteral("CustomerName"),        QStringLiteral("PaymentType"),
                              QStringLiteral("ReferenceNo"),         QStringLiteral("ReferencePrefix"),
                              QStringLiteral("ReferenceDocumentName"), QStringLiteral("CashMemoTotalAmount")};

std::unique_ptr<FrontEndObject> newMemo(DemoContext &context) {
    auto memo = std::make_unique<FrontEndObject>(kCashMemo);
    memo->set("AdoDBConnectionObject", QVariant::fromValue(&context.connection));
    memo->set("ADOConnectionString", context.db);
    return memo;
}

std::unique_ptr<MemoryGrid> newGrid(int rows) {
    auto grid = std::make_unique<MemoryGrid>(rows, kCashMemoGridColumns);
    writeCashMemoCaptions(*grid);
    return grid;
}

double scalar(DemoContext &context, const QString &sql, const QVariantList &values) {
    return context.connection.scalar(sql, values).toDouble();
}

double cashBalance(DemoContext &context) {
    return scalar(context,
                  QStringLiteral("Select Opening_Balance + Posted_Balance from Chart_Of_Accounts Where Account_No = ?"),
                  {kCashAccount});
}

struct StockFigure {
    QString item;
    double inHand = 0;
};

QList<StockFigure> stock(DemoContext &context, const QStringList &items) {
    QList<StockFigure> figures;
    for (const QString &item : items)
        figures << StockFigure{item, scalar(context,
                                            QStringLiteral("Select Stock_In_Hand from Item_Master_Detail Where "
                                                           "Item_Code = ? and Branch_Prefix = ?"),
                                            {demo::kCompany + item, demo::kHeadOffice})};
    return figures;
}

QString signedText(double change) {
    return (change > 0 ? QStringLiteral("+") : QString()) + numbers::numberText(change);
}

void printCash(DemoContext &context, double before) {
    const double after = cashBalance(context);
    context.out << "  Cash account " << kCashAccount << ": " << numbers::numberText(before) << " before, "
                << numbers::numberText(after) << " after (" << signedText(after - before) << ")\n";
}

void printStock(DemoContext &context, const QList<StockFigure> &before) {
    QStringList items;
    for (const StockFigure &figure : before)
        items << figure.item;
    const QList<StockFigure> after = stock(context, items);
    QList<QStringList> rows;
    for (qsizetype i = 0; i < before.size(); ++i)
        rows << QStringList{before[i].item, numbers::numberText(before[i].inHand), numbers::numberText(after[i].inHand),
                            signedText(after[i].inHand - before[i].inHand)};
    context.out << "  Stock_In_Hand, branch " << demo::kHeadOffice << ":\n";
    printTable(context.out, {QStringLiteral("Item"), QStringLiteral("before"), QStringLiteral("after"),
                             QStringLiteral("Change")},
               rows);
}

void printLedger(DemoContext &context, const QString &memoNo) {
    const Connection::Result rows = context.connection.select(
        QStringLiteral("Select Account_No, GL_Description, GL_Comments, GL_Debit_Amount, GL_Credit_Amount from "
                       "General_Ledger Where Document_No = ? Order by Row_Id"),
        {memoNo});
    QList<QStringList> lines;
    for (const QVariantList &row : rows.rows)
        lines << QStringList{row.value(0).toString(), row.value(1).toString(), row.value(2).toString(),
                             displayValue(row.value(3)), displayValue(row.value(4))};
    context.out << "  Ledger lines of " << memoNo << ":\n";
    printTable(context.out,
               {QStringLiteral("Account"), QStringLiteral("Description"), QStringLiteral("Comments"),
                QStringLiteral("Debit"), QStringLiteral("Credit")},
               lines);
}

// Saves the keyed memo under its temporary number and processes it as the counter screen does.
QString saveAndProcess(DemoContext &context, FrontEndObject &memo, const QString &what) {
    demoRequire(context, memo, "Create_CashMemo", what);
    const QString temporary = memo.text("CashMemoNo");
    demoRequire(context, memo, "Process", QStringLiteral("process ") + temporary);
    context.out << "  " << temporary << " is now " << memo.text("CashMemoNo") << ".\n";
    return memo.text("CashMemoNo");
}

QString processedCashOrder(DemoContext &context) {
    SampleQuotation sample;
    sample.customerCode = QStringLiteral("C004");
    sample.customerName = QStringLiteral("Walk-in Customer");
    sample.lines = {{QStringLiteral("A100"), 3}, {QStringLiteral("C300"), 20}};
    MemoryGrid grid(6, kOrderGridColumns);
    FrontEndObject order(QStringLiteral("OrbSales.SalesOrder"));
    order.set("AdoConnectionObject", QVariant::fromValue(&context.connection));
    order.set("ADOConnectionString", context.db);
    fillOrder(order, grid, sample);
    order.set("PaymentType", QStringLiteral("Cash"));
    order.set("PaymentTerms", QString());
    demoRequire(context, order, "Create_Order", QStringLiteral("a cash order of the walk-in customer, 2 lines"));
    demoRequire(context, order, "Process_Order", QStringLiteral("process ") + order.text("SalesOrdNo"));
    return order.text("SalesOrdNo");
}

void sellFromOrder(DemoContext &context) {
    context.out << "A cash sale made from a processed cash order: the memo loads the order's header and lines,\n"
                   "is saved under a temporary number and processed: its final number, the order marked paid, the\n"
                   "sale, the cash and the stock posted.\n\n";
    const QString orderNo = processedCashOrder(context);
    auto grid = newGrid(6);
    auto memo = newMemo(context);
    memo->set("ReferenceNo", orderNo);
    memo->setGrid("CMGridName", grid.get());
    demoRequire(context, *memo, "Get_Order_Details", QStringLiteral("load ") + orderNo);
    memo->set("CompanyPrefix", demo::kCompany);
    memo->set("BranchPrefix", demo::kHeadOffice);
    memo->set("DocumentPrefix", QStringLiteral("CHM"));
    memo->set("ReferenceDocumentName", QStringLiteral("Sales Order"));
    memo->set("CashMemoDate", QDateTime(QDate::currentDate(), QTime(0, 0)));
    memo->set("AmtDig", 2.0);
    memo->set("SalesLogPrefix", QStringLiteral("CHM"));
    memo->set("StockMovementPrefix", QStringLiteral("CHM"));
    memo->set("OnlineFlag", true);
    memo->set("LastUpdate", QDateTime::currentDateTime());
    printGrid(context.out, *grid);
    const double cash = cashBalance(context);
    const QList<StockFigure> before = stock(context, {QStringLiteral("A100"), QStringLiteral("C300")});
    const QString memoNo = saveAndProcess(context, *memo, QStringLiteral("a cash memo from ") + orderNo);
    printFields(context.out, memo->object(), kMemoFields);
    context.out << "  The order's Paid_Flag: "
                << context.connection
                       .scalar(QStringLiteral("Select Paid_Flag from Sales_Order_Master Where Sales_Ord_No = ?"), {orderNo})
                       .toInt()
                << '\n';
    printCash(context, cash);
    printStock(context, before);
    printLedger(context, memoNo);
    context.out << '\n';
}

void sellByCheque(DemoContext &context) {
    context.out << "A sale paid by cheque, keyed in directly: the customer's receivable is debited and the cheque is\n"
                   "registered to await clearance, numbered by the cheque counter.\n\n";
    auto grid = newGrid(5);
    auto memo = newMemo(context);
    keyCashMemo(*memo, *grid, {{QStringLiteral("B100"), 2}, {QStringLiteral("S100"), 1}});
    memo->set("CustomerCode", demo::kCompany + QStringLiteral("C001"));
    memo->set("CustomerName", QStringLiteral("Acme Trading LLC"));
    memo->set("PaymentType", QStringLiteral("Cheque"));
    memo->set("ChequeNo", QStringLiteral("004417"));
    memo->set("ChequeBank", QStringLiteral("Emirates NBD"));
    memo->set("ChequeDate", QDateTime(QDate::currentDate().addDays(30), QTime(0, 0)));
    memo->set("CashMemoComments", QStringLiteral("Cheque dated a month ahead"));
    const QString balance = QStringLiteral("Select Customer_Balance from Customer_Master_Balance Where "
                                           "Customer_Code = ? and Branch_Prefix = ?");
    const QVariantList key{demo::kCompany + QStringLiteral("C001"), demo::kHeadOffice};
    const double owedBefore = scalar(context, balance, key);
    const QString memoNo = saveAndProcess(context, *memo, QStringLiteral("a cheque sale to Acme Trading LLC"));
    const Connection::Result records = context.connection.select(
        QStringLiteral("Select PDC_No, Cheque_No, Bank_Name, Cheque_Amount, PDC_Due_Date, Cleared, Status from "
                       "PDC_Master Where Source_No = ?"),
        {memoNo});
    QList<QStringList> rows;
    for (const QVariantList &row : records.rows) {
        QStringList cells;
        for (const QVariant &value : row)
            cells << displayValue(value);
        rows << cells;
    }
    context.out << "  The cheque record:\n";
    printTable(context.out,
               {QStringLiteral("PDC_No"), QStringLiteral("Cheque_No"), QStringLiteral("Bank_Name"),
                QStringLiteral("Cheque_Amount"), QStringLiteral("PDC_Due_Date"), QStringLiteral("Cleared"),
                QStringLiteral("Status")},
               rows);
    context.out << "  Acme Trading LLC owes " << numbers::numberText(owedBefore) << " before, "
                << numbers::numberText(scalar(context, balance, key)) << " after\n";
    printLedger(context, memoNo);
    context.out << '\n';
}

void ringUpPointOfSale(DemoContext &context) {
    context.out << "A point-of-sale memo: three widgets sold, one gadget brought back (a negative quantity). The\n"
                   "widgets leave the stock and the gadget comes back, each once; the till takes in the widgets\n"
                   "and pays the gadget's refund out.\n\n";
    const double cash = cashBalance(context);
    const QList<StockFigure> before = stock(context, {QStringLiteral("A100"), QStringLiteral("A200")});
    const QString memoNo = sellForCash(context, seededCustomer("C004"),
                                       {{QStringLiteral("A100"), 3}, {QStringLiteral("A200"), -1}},
                                       QStringLiteral("a point-of-sale memo with a return"), QStringLiteral("POS"));
    printCash(context, cash);
    printStock(context, before);
    printLedger(context, memoNo);
    context.out << '\n';
}

} // namespace

QString sellForCash(DemoContext &context, const demo::DemoCustomer &customer, const std::vector<SampleLine> &lines,
                    const QString &what, const QString &referencePrefix) {
    auto grid = newGrid(int(lines.size()) + 2);
    auto memo = newMemo(context);
    keyCashMemo(*memo, *grid, lines);
    memo->set("CustomerCode", demo::kCompany + QString::fromUtf8(customer.code));
    memo->set("CustomerName", QString::fromUtf8(customer.name));
    memo->set("PaymentType", QStringLiteral("Cash"));
    memo->set("ReferencePrefix", referencePrefix);
    printGrid(context.out, *grid);
    const QString memoNo = saveAndProcess(context, *memo, what);
    printFields(context.out, memo->object(), kMemoFields);
    return memoNo;
}

void demoCashMemos(DemoContext &context) {
    sellFromOrder(context);
    sellByCheque(context);
    ringUpPointOfSale(context);
    const QStringList breaches = package::verifyBooks(context.connection);
    context.out << (breaches.isEmpty() ? QStringLiteral("The books hold together after the cash memos.")
                                       : QStringLiteral("The books do not hold together:\n  ") +
                                             breaches.join(QStringLiteral("\n  ")))
                << '\n';
}

} // namespace orbsales::cli
