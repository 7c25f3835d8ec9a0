#include "orbsales/services/package/books.h"
#include "returns/return_fixture.h"

namespace orbsales::testing {
namespace {

using ReturnProcessing = ReturnTest;

// Against every kind of source: final number, the returned quantity on the source line, the goods
// back in stock at the cost of the lot they came from, the credit memo only for invoices, direct
// invoices and cash memos; the books hold together afterwards.
TEST_F(ReturnProcessing, EachSourceKindIsProcessedWithItsCreditMemoWhereItIsBilled) {
    const struct {
        SaleKind kind;
        const char *sourceTable;
        bool creditMemo;
    } cases[] = {{SaleKind::Invoice, "Sales_Invoice_Detail", true},
                 {SaleKind::DirectInvoice, "Direct_Sales_Invoice_Detail", true},
                 {SaleKind::Delivery, "Delivery_Detail", false},
                 {SaleKind::DirectDelivery, "Direct_Delivery_Detail", false},
                 {SaleKind::CashMemo, "Cash_Memo_Detail", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(kindCode(c.kind));
        TearDown();
        SetUp();
        const QString source = sell(c.kind, {item("F100")});
        const QString balance = value("Select Customer_Balance from Customer_Master Where Customer_Code = '01C001'");
        const QString returned = processedReturn(kindCode(c.kind), source, {{"F100", 2}});
        EXPECT_EQ(returned, "01HOSRT2");
        EXPECT_EQ(rowsText(database(), "Sales_Return_Master", "Sales_Rtn_Identity, Processed_Flag, Allow_Cancel_Flag"),
                  "2|1|0");
        EXPECT_EQ(value(QStringLiteral("Select Return_Qty from %1 Where Item_Code = '01F100' and Return_Qty > 0")
                            .arg(QLatin1String(c.sourceTable))),
                  "2");
        // The seed's invoice and this sale drew 6 + 3 from the first lot; 2 go back to it, at 5.
        EXPECT_EQ(value("Select Inventory_Value from Sales_Return_Detail"), "10");
        EXPECT_EQ(value("Select Sold_Qty from Purchase_Log Where Item_Code = '01F100' Order by Purchase_Log_Date"),
                  "7");
        EXPECT_EQ(rowsText(database(), "Stock_Movement",
                           "Document_Prefix, Document_Type, In_Qty, In_Amount, Location_ID", "Where Document_No = ?",
                           {returned}),
                  "SRM|IN|2|10|1");
        EXPECT_EQ(rowsText(database(), "General_Ledger",
                           "Account_No, GL_Debit_Amount, GL_Credit_Amount, GL_Description",
                           "Where Document_No = ? Order by Row_Id", {returned}),
                  "01HO1300|10|0|Inventory Account : Item Code - F100 / 01HO5000|0|10|Cost Of Goods Account : ItemCode "
                  "- F100");
        EXPECT_EQ(rowsText(database(), "Sales_Log",
                           "Document_Prefix, Ref_Document_Prefix, Sales_Qty, Sales_Item_Amount",
                           "Where Sales_Document_No = ?", {returned}),
                  QStringLiteral("SRL|%1|-2|-23").arg(QLatin1String(kindCode(c.kind))));
        // 60 at the location, 6 gone on the seed's invoice and 3 on this sale, 2 back.
        EXPECT_EQ(value("Select Location_Qty from Location_Stock Where Item_Code = '01F100'"), "53");
        EXPECT_EQ(database().count("Voucher_Master"), c.creditMemo ? 1 : 0);
        EXPECT_EQ(salesReturn->VoucherNo(), c.creditMemo ? "01HOCRM1" : "");
        const double moved =
            value("Select Customer_Balance from Customer_Master Where Customer_Code = '01C001'").toDouble() -
            balance.toDouble();
        EXPECT_EQ(moved, c.creditMemo ? -23 : 0);
        EXPECT_EQ(package::verifyBooks(database().connection()), QStringList());
    }
}

// The credit memo voucher: three lines on the customer's receivable, the sales return account and
// the discount account, processed by the voucher service into the ledger and the receivable.
TEST_F(ReturnProcessing, TheCreditMemoCreditsTheCustomerAndDebitsSalesReturns) {
    const QString invoice = sell(SaleKind::Invoice, {item("F100"), item("L100")});
    processedReturn("INV", invoice, {{"F100", 2}, {"L100", 1}});
    EXPECT_EQ(rowsText(database(), "Voucher_Master",
                       "Voucher_No, Voucher_Identity, Document_Prefix, Customer_Code, Voucher_Amount, Balance_Amount, "
                       "process_Flag, Voucher_For, Type, Voucher_Date"),
              "01HOCRM1|1|CRM|01C001|34.5|34.5|1|Customer|Customer|2026-12-05 00:00");
    EXPECT_EQ(
        rowsText(database(), "Voucher_Detail",
                 "SL_No, Voucher_Type, Account_No, Account_Name, Debit_Amount, Credit_Amount, Voucher_Description",
                 "Order by SL_No"),
        "1|Customer|01HO1200|Accounts Receivable|0|34.5|System Generated Credit Memo. / 2|General|01HO4200|Sales "
        "Returns|36|0|System Generated Credit Memo. / 3|General|01HO4300|Discount Allowed|0|1.5|System Generated "
        "Credit Memo.");
    EXPECT_EQ(rowsText(database(), "Accounts_Receivable_Ledger", "Customer_Code, ARL_Credit_Amount",
                       "Where Document_No = '01HOCRM1'"),
              "01C001|34.5");
    EXPECT_EQ(counter("CRM"), "2");
    EXPECT_EQ(value("Select parentsalesInv_allitemsreturned from Sales_Invoice_Detail Where Item_Code = '01F100'"),
              "0");
}

// Each costing method against hand-worked figures. Lots of 10 at 5 (oldest), 6 and 8 (newest).
TEST_F(ReturnProcessing, EachCostingMethodGivesTheQuantityBackToItsLotsAtTheirCost) {
    const struct {
        const char *costing;
        double sold[3];
        double quantity;
        double value;
        const char *soldAfter;
    } cases[] = {
        // Oldest first: 4 to the open lot sold from, 2 to the lot sold out last (the oldest).
        {"FIFO", {10, 4, 0}, 6, 4 * 6 + 2 * 5, "8 / 0 / 0"},
        // Newest first: 4 to the open lot, 2 to the lot sold out last (the newest).
        {"LIFO", {0, 4, 10}, 6, 4 * 6 + 2 * 8, "0 / 0 / 8"},
        // The open lots' weighted cost (6 at 6, 10 at 8) for all six; quantities as FIFO.
        {"AVEG", {10, 4, 0}, 6, 6 * (6 * 6 + 10 * 8) / 16.0, "8 / 0 / 0"},
        // Two open lots sold from: the oldest first, or the newest first.
        {"FIFO", {3, 3, 0}, 4, 3 * 5 + 1 * 6, "0 / 2 / 0"},
        {"LIFO", {3, 3, 0}, 4, 3 * 6 + 1 * 5, "2 / 0 / 0"},
        {"AVEG", {3, 3, 0}, 4, 4 * (7 * 5 + 7 * 6 + 10 * 8) / 24.0, "0 / 2 / 0"},
        // Nothing sold from any lot: the average cost of the stock in hand.
        {"FIFO", {0, 0, 0}, 6, 6 * 200 / 32.0, "0 / 0 / 0"},
    };
    int serial = 0;
    for (const auto &c : cases) {
        // Each case an item of its own: 01T1, 01T2, ...
        const QString code = QStringLiteral("T%1").arg(++serial), stored = "01" + code;
        SCOPED_TRACE(code.toStdString() + " " + c.costing);
        database().execute("Insert into Item_Master (Item_Code, Item_Name, Company_Prefix, Item_Type, Costing_Type, "
                           "Unit_Name) values (?, 'Test', '01', '0', ?, 'Nos')",
                           {stored, QString::fromLatin1(c.costing)});
        database().execute("Insert into Item_Master_Detail (Item_Code, Company_Prefix, Branch_Prefix, Stock_In_Hand, "
                           "Stock_Amount, Opening_Stock, Opening_Stock_Amount, Inventory_Account_No) values "
                           "(?, '01', 'HO', 32, 200, 32, 200, '01HO1300')",
                           {stored});
        const double costs[] = {5, 6, 8};
        for (int lot = 0; lot < 3; ++lot)
            database().execute(
                "Insert into Purchase_Log (Item_Code, Branch_Prefix, Purchase_Document_No, "
                "Purchase_Log_Date, Total_Purchase_Qty, Sold_Qty, Purchase_Item_Amount) values "
                "(?, 'HO', ?, ?, 10, ?, ?)",
                {stored, QString::number(lot), day(1).addMonths(-3 + lot), c.sold[lot], 10 * costs[lot]});
        const QString delivery =
            sell(SaleKind::Delivery, {item(code.toLatin1().constData(), 6, 12, 0)}, "01C001", false);
        MemoryGrid lines(2, 29);
        auto r = newReturn(lines);
        savedReturn(*r, lines, "DEL", delivery, {{code, c.quantity}});
        ASSERT_TRUE(r->Return_Process()) << r->ErrDesc().toString().toStdString();
        const QString returned = r->SalesRtnNo();
        const double worked = numbers::roundHalfEven(c.value, 2);
        EXPECT_EQ(value("Select Inventory_Value from Sales_Return_Detail Where Sales_Rtn_No = ?", {returned}),
                  numbers::numberText(worked));
        EXPECT_EQ(rowsText(database(), "Purchase_Log", "Sold_Qty", "Where Item_Code = ? Order by Purchase_Log_Date",
                           {stored}),
                  c.soldAfter);
        EXPECT_EQ(
            rowsText(database(), "Item_Master_Detail", "Stock_In_Hand, Stock_Amount", "Where Item_Code = ?", {stored}),
            numbers::numberText(32 + c.quantity) + "|" + numbers::numberText(200 + worked));
        EXPECT_EQ(value("Select In_Amount from Stock_Movement Where Document_No = ?", {returned}),
                  numbers::numberText(worked));
        EXPECT_EQ(value("Select GL_Debit_Amount from General_Ledger Where Document_No = ? and Account_No = '01HO1300'",
                        {returned}),
                  numbers::numberText(worked));
    }
}

// A costing type that is missing or not one of the three stops the stock step with its message;
// a service line needs none and comes back at its line amount.
TEST_F(ReturnProcessing, AnItemWithoutAKnownCostingTypeIsRefusedAndAServiceNeedsNone) {
    for (const char *costing : {"", "fifo", "STD"}) {
        SCOPED_TRACE(costing);
        TearDown();
        SetUp();
        database().execute("Update Item_Master Set Costing_Type = ? Where Item_Code = '01A100'",
                           {QString::fromLatin1(costing)});
        const QString source = sell(SaleKind::Delivery, {item("A100")});
        savedReturn(*salesReturn, grid, "DEL", source, {{"A100", 1}});
        EXPECT_FALSE(salesReturn->Return_Process());
        EXPECT_EQ(errDesc(), "Invalid Costing Type");
    }
    TearDown();
    SetUp();
    database().execute("Update Item_Master Set Costing_Type = NULL Where Item_Code = '01S100'");
    const QString source = sell(SaleKind::Invoice, {item("S100", 2, 150, 0)});
    const QString returned = processedReturn("INV", source, {{"S100", 1}});
    EXPECT_EQ(value("Select Inventory_Value from Sales_Return_Detail"), "150");
    EXPECT_EQ(database().count("Stock_Movement", "Document_No = ?", {returned}), 0);
    EXPECT_EQ(database().count("General_Ledger", "Document_No = ?", {returned}), 0);
}

// Offline: final number, the source's quantities and the location stock; no stock, ledger, log or
// credit memo; the counter moves on. The synchronised copy keeps that number and posts the rest.
TEST_F(ReturnProcessing, OfflineNumbersAndUpdatesTheSourceThenTheSynchronisedCopyPosts) {
    savedReturn(*salesReturn, grid, "DSI", "01HODSI1", {{"V100", 2}});
    assign(*salesReturn, "OnlineFlag", false, "SyncFlag", false);
    ASSERT_TRUE(salesReturn->Return_Process()) << errDesc().toStdString();
    const QString number = salesReturn->SalesRtnNo();
    EXPECT_EQ(number, "01HOSRT2");
    EXPECT_EQ(counter("SRT"), "3");
    EXPECT_EQ(value("Select Return_Qty from Direct_Sales_Invoice_Detail Where Item_Code = '01V100'"), "2");
    EXPECT_EQ(value("Select Location_Qty from Location_Stock Where Item_Code = '01V100'"), "56"); // 60 - 6 + 2
    EXPECT_EQ(database().count("Stock_Movement", "Document_No = ?", {number}), 0);
    EXPECT_EQ(database().count("General_Ledger", "Document_No = ?", {number}), 0);
    EXPECT_EQ(database().count("Sales_Log", "Sales_Document_No = ?", {number}), 0);
    EXPECT_EQ(database().count("Voucher_Master"), 0);
    EXPECT_EQ(stock("01V100"), "54");

    auto copy = newReturn(grid);
    assign(*copy, "SalesRtnNo", number, "OnlineFlag", false, "SyncFlag", true);
    ASSERT_TRUE(copy->Return_Process()) << copy->ErrDesc().toString().toStdString();
    EXPECT_EQ(copy->SalesRtnNo(), number);
    EXPECT_EQ(stock("01V100"), "56");
    EXPECT_EQ(database().count("Stock_Movement", "Document_No = ?", {number}), 1);
    EXPECT_EQ(database().count("Voucher_Master"), 1);
    EXPECT_EQ(value("Select Return_Qty from Direct_Sales_Invoice_Detail Where Item_Code = '01V100'"), "2");
    EXPECT_EQ(counter("SRT"), "3");
}

// More than is still returnable, or a line that is not on the source: refused before anything
// is written (number, flags, source, stock and counter as they were).
TEST_F(ReturnProcessing, AReturnBeyondTheSourceIsRefusedAndWritesNothing) {
    const struct {
        const char *tamper;
        const char *message;
    } cases[] = {
        {"Update Sales_Return_Detail Set Sales_Rtn_Qty = 7",
         "Return quantity 7 of item F100 is more than the 6 still returnable on 01HODSI1"},
        {"Update Direct_Sales_Invoice_Detail Set Return_Qty = 5 Where Item_Code = '01F100'",
         "Return quantity 2 of item F100 is more than the 1 still returnable on 01HODSI1"},
        {"Update Sales_Return_Detail Set Ref_SL_No = 9", "Item F100 (line 9) is not a returnable line of 01HODSI1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tamper);
        TearDown();
        SetUp();
        savedReturn(*salesReturn, grid, "DSI", "01HODSI1", {{"F100", 2}});
        database().execute(QString::fromLatin1(c.tamper));
        const auto before = rowsOf(database(), "Direct_Sales_Invoice_Detail", "Return_Qty", "Order by SL_No");
        EXPECT_FALSE(salesReturn->Return_Process());
        EXPECT_EQ(errDesc(), c.message);
        EXPECT_EQ(rowsText(database(), "Sales_Return_Master", "Sales_Rtn_No, Processed_Flag"), "01HOSRTTMP1|0");
        EXPECT_EQ(rowsOf(database(), "Direct_Sales_Invoice_Detail", "Return_Qty", "Order by SL_No"), before);
        EXPECT_EQ(counter("SRT"), "2");
        EXPECT_EQ(database().count("Stock_Movement", "Document_Type = 'IN'"), 0);
    }
}

// Update_Source for each kind adds the quantity to the source line; another type code changes
// nothing; an invoice line returned in full is marked, and so is every fully returned line of
// its delivery.
TEST_F(ReturnProcessing, UpdateSourceAddsTheQuantityToTheSourceLine) {
    const QString invoice = sell(SaleKind::Invoice, {item("A100", 2), item("A200", 1)});
    const auto update = [&](QString type, QString code, qint32 serial, double quantity) {
        Connection *cn = &caller;
        QString number = invoice;
        return salesReturn->Update_Source(cn, number, quantity, type, code, serial);
    };
    const char *const columns = "Return_Qty, parentsalesInv_allitemsreturned";
    ASSERT_TRUE(update("INV", "01A100", 1, 2));
    EXPECT_EQ(rowsText(database(), "Sales_Invoice_Detail", columns, "Order by SL_No"), "2|1 / 0|0");
    EXPECT_TRUE(update("XYZ", "01A200", 2, 1));
    ASSERT_TRUE(update("INV", "01A200", 2, 1));
    EXPECT_EQ(rowsText(database(), "Sales_Invoice_Detail", columns, "Order by SL_No"), "2|1 / 1|1");
    EXPECT_FALSE(update("INV", "01A200", 2, 1));
    EXPECT_EQ(errDesc(), "Return quantity 1 of item A200 is more than the 0 still returnable on " + invoice);
    EXPECT_TRUE(update("INV", "01A200", 7, 1)); // no such line: nothing to add to
    EXPECT_EQ(value("Select sum(Return_Qty) from Sales_Invoice_Detail"), "3");
}

// Refused with nothing done: no return number, no open connection, an unknown return, and a
// return already processed.
TEST_F(ReturnProcessing, NeedsAnOpenConnectionAndAnUnprocessedReturn) {
    EXPECT_FALSE(salesReturn->Return_Process());
    EXPECT_EQ(errDesc(), "Invalid Sales Return");
    Connection closed;
    salesReturn->setSalesRtnNo("01HOSRTTMP1");
    salesReturn->setAdoConnectionObject(&closed);
    EXPECT_FALSE(salesReturn->Return_Process());
    EXPECT_EQ(errDesc(), "Invalid Connection Object");
    salesReturn->setAdoConnectionObject(&caller);
    EXPECT_FALSE(salesReturn->Return_Process());
    EXPECT_EQ(errDesc(), "Invalid Sales Return Number");

    salesReturn = newReturn(grid);
    EXPECT_EQ(processedReturn("DSI", "01HODSI1", {{"L100", 1}}), "01HOSRT2");
    const int movements = database().count("Stock_Movement");
    EXPECT_FALSE(salesReturn->Return_Process());
    EXPECT_EQ(errDesc(), "Already Processed");
    EXPECT_EQ(database().count("Stock_Movement"), movements);
    EXPECT_EQ(value("Select Return_Qty from Direct_Sales_Invoice_Detail Where Item_Code = '01L100'"), "1");
}

using ReturnBooks = ReturnTest;

// After a return with its credit memo the books hold together; each tampered row is named with
// both figures that disagree.
TEST_F(ReturnBooks, VerifyNamesEveryRowThatDisagreesWithTheReturns) {
    processedReturn("DSI", "01HODSI1", {{"F100", 2}, {"L100", 1}});
    ASSERT_EQ(package::verifyBooks(database().connection()), QStringList());
    const struct {
        const char *tamper;
        QStringList breaches;
    } cases[] = {
        {"Update Purchase_Log Set Sold_Qty = 25 Where Item_Code = '01F100' and Purchase_Document_No = 'Purchase 10'",
         {"Purchase lot Purchase 10 of item 01F100, branch HO: sold quantity 25, lot quantity 20",
          "Item 01F100, branch HO: stock in hand 56, unsold quantity of its purchase lots 35"}},
        {"Update Purchase_Log Set Sold_Qty = -1 Where Item_Code = '01L100' and Purchase_Document_No = 'Purchase 10'",
         {"Purchase lot Purchase 10 of item 01L100, branch HO: sold quantity -1, lot quantity 20",
          "Item 01L100, branch HO: stock in hand 55, unsold quantity of its purchase lots 56"}},
        {"Update Item_Master_Detail Set Stock_Amount = Stock_Amount + 1 Where Item_Code = '01F100' and "
         "Branch_Prefix = 'HO'",
         {"Item 01F100, branch HO: stock value 353, opening value plus stock movements 352"}},
        {"Update Voucher_Detail Set Debit_Amount = 40 Where SL_No = 2",
         {"Credit memo 01HOCRM1 does not balance in the home currency: debits 40, credits 36"}},
        {"Update Voucher_Detail Set FC_Credit_Amount = 35 Where SL_No = 1",
         {"Credit memo 01HOCRM1 does not balance in the foreign currency: debits 36, credits 35"}},
        {"Update Voucher_Master Set Voucher_Amount = 30",
         {"Credit memo 01HOCRM1: amount 30, credited to the customer 36",
          "Credit memo 01HOCRM1 of customer 01C002: amount 30, receivable rows 36"}},
        {"Delete from Accounts_Receivable_Ledger Where Document_No = '01HOCRM1'",
         {"Credit memo 01HOCRM1 of customer 01C002: amount 36, receivable rows 0"}},
        {"Update Direct_Sales_Invoice_Detail Set Return_Qty = 3 Where Item_Code = '01F100'",
         {"Line 1 of 01HODSI1 (item 01F100): returned quantity 3, processed return lines 2"}},
        {"Update Direct_Sales_Invoice_Detail Set Return_Qty = 1 Where Item_Code = '01V100'",
         {"Line 3 of 01HODSI1 (item 01V100): returned quantity 1, processed return lines 0"}},
    };
    Connection &books = database().connection();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tamper);
        books.beginTransaction();
        books.execute(QString::fromLatin1(c.tamper));
        const QStringList found = package::verifyBooks(books);
        books.rollback();
        for (const QString &breach : c.breaches)
            EXPECT_TRUE(found.contains(breach)) << breach.toStdString() << "\n in: " << found.join('\n').toStdString();
    }
}

} // namespace
} // namespace orbsales::testing
