#include "returns/return_fixture.h"

namespace orbsales::testing {
namespace {

using ReturnLoading = ReturnTest;

// Every kind of source offers its line the same way: three of Item F100 at 12 less 0.5 a unit,
// the cost it left stock at (three at the average 342 / 54), its own serial.
TEST_F(ReturnLoading, EachSourceKindOffersItsReturnableLines) {
    const struct {
        SaleKind kind;
        const char *detail, *number, *paymentType;
    } cases[] = {{SaleKind::Invoice, "Sales_Invoice_Detail", "Sales_Inv_No", "Credit"},
                 {SaleKind::DirectInvoice, "Direct_Sales_Invoice_Detail", "Dir_Sales_Inv_No", "Credit"},
                 {SaleKind::Delivery, "Delivery_Detail", "Delivery_No", "Credit"},
                 {SaleKind::DirectDelivery, "Direct_Delivery_Detail", "Direct_Delivery_No", "Credit"},
                 {SaleKind::CashMemo, "Cash_Memo_Detail", "Cash_Memo_No", "Cash"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(kindCode(c.kind));
        const QString source = sell(c.kind, {item("F100")});
        MemoryGrid lines(2, 29);
        auto r = newReturn(lines);
        ASSERT_TRUE(load(*r, kindCode(c.kind), source, lines)) << r->ErrDesc().toString().toStdString();
        EXPECT_EQ(lines.rowCount(), 2);
        const QString serial = value(
            QStringLiteral("Select SL_No from %1 Where %2 = ?").arg(QLatin1String(c.detail), QLatin1String(c.number)),
            {source});
        // 1 tick, 2-6 item and unit, 7 returnable, 8 foreign price, 9 discount %, 10 foreign
        // discount, 11 foreign overall share, 12/13 amounts, 14 discount, 15 cost, 17 price,
        // 19/20 location, 21 returnable, 22/23 discounts, 24 overall share, 25 unit, 27 cost, 28 serial.
        EXPECT_EQ(cellsText(lines, 1, {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                       14, 15, 17, 19, 20, 21, 22, 23, 24, 25, 27, 28}),
                  "0|F100|Item F100|1|Nos|1|3|12|4.16666666666667|0.5|0|34.5|34.5|0.5|19|12|Main "
                  "Store|1|3|0.5|0.5|0|Nos|19|" +
                      serial);
        EXPECT_EQ(r->RefDate(), day(1));
        EXPECT_EQ((QStringList{r->RefNo(), r->CustomerCode(), r->CustomerName(), r->CurrencyCode(), r->PaymentType()}),
                  (QStringList{source, "01C001", "Acme Trading LLC", "AED", c.paymentType}));
    }
}

// A cash memo line of 10 with 4 back offers 6 at 6 x (price - discount) and 6 of its cost; a line
// back in full is not offered, and a second line of the same item is not listed again.
TEST_F(ReturnLoading, PartlyReturnedLinesOfferWhatIsLeftAndEachItemOnce) {
    SaleLine box = item("B100", 1, 85, 0);
    box.unitName = "Box";
    const QString memo =
        sell(SaleKind::CashMemo, {item("A100", 10, 12.5, 0.5), item("A200", 2, 40, 0), item("A100", 1, 12.5, 0), box});
    database().execute("Update Cash_Memo_Detail Set Return_Qty = 4, Inventory_Value = 75 Where Item_Code = '01A100' "
                       "and Cash_Memo_Qty = 10");
    database().execute("Update Cash_Memo_Detail Set Return_Qty = 2 Where Item_Code = '01A200'");
    ASSERT_TRUE(load(*salesReturn, "CHM", memo, grid));
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(cellsText(grid, 1, {2, 7, 21, 12, 13, 15, 27}), "A100|6|6|72|72|45|45");
    EXPECT_EQ(cellsText(grid, 2, {2, 7}), "B100|1");

    // The invoice's partly returned line: the returnable part of price less discount less its share
    // of the overall discount, and of the delivery line's cost (that line delivered 4, 3 invoiced).
    const QString invoice = sell(SaleKind::Invoice, {item("A100", 4, 12.5, 0.5)});
    database().execute("Update Sales_Invoice_Detail Set Sales_Inv_Qty = 3, Return_Qty = 1, Sales_Ord_Overall_Disc = 3, "
                       "Sales_Ord_Overall_FC_Disc = 1.5");
    MemoryGrid lines(2, 29);
    ASSERT_TRUE(load(*newReturn(lines), "INV", invoice, lines));
    // 2 of 3: 2 x 12 - 3 x 2/3; foreign 2 x 12 - 1.5 x 2/3; cost 2 x 30 / 4.
    EXPECT_EQ(cellsText(lines, 1, {7, 11, 24, 12, 13, 15}), "2|1.5|3|23|22|15");
}

// What is not returnable against the source itself: an unprocessed source, a delivery invoiced in
// part or paid through a cash memo. The loaders other than the cash memo's answer True and leave
// grid and properties alone; the cash memo's answers with its message.
TEST_F(ReturnLoading, SourcesWithoutReturnableLinesLoadNothing) {
    const struct {
        SaleKind kind;
        const char *tamper;
        bool result;
        const char *message;
    } cases[] = {
        {SaleKind::Delivery, "Update Delivery_Master Set Processed_Flag = 0 Where Delivery_No = ?", true, ""},
        {SaleKind::Delivery, "Update Delivery_Detail Set Invoiced_Qty = 1 Where Delivery_No = ?", true, ""},
        {SaleKind::Delivery, "Update Delivery_Master Set Paid_Flag = 1 Where Delivery_No = ?", true, ""},
        {SaleKind::DirectDelivery, "Update Direct_Delivery_Detail Set Invoiced_Qty = 1 Where Direct_Delivery_No = ?",
         true, ""},
        {SaleKind::DirectInvoice, "Update Direct_Sales_Invoice_Detail Set Return_Qty = 3 Where Dir_Sales_Inv_No = ?",
         true, ""},
        {SaleKind::Invoice, "Update Sales_Invoice_Master Set Processed_Flag = 0 Where Sales_Inv_No = ?", true, ""},
        {SaleKind::CashMemo, "Update Cash_Memo_Detail Set Return_Qty = 3 Where Cash_Memo_No = ?", false,
         " Delivery not created for this Cash Memo.."},
        {SaleKind::CashMemo, "Update Cash_Memo_Master Set process_Flag = 0 Where Cash_Memo_No = ?", false,
         " Delivery not created for this Cash Memo.."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tamper);
        const QString source = sell(c.kind, {item("A100")});
        database().execute(QString::fromLatin1(c.tamper), {source});
        MemoryGrid lines(2, 29);
        auto r = newReturn(lines);
        lines.setCellText(1, 2, "kept");
        r->setCustomerCode("untouched");
        EXPECT_EQ(load(*r, kindCode(c.kind), source, lines), c.result);
        EXPECT_EQ(r->ErrDesc(), c.message);
        EXPECT_EQ(lines.rowCount(), 2);
        EXPECT_EQ(lines.cellText(1, 2), "kept");
        EXPECT_EQ(r->CustomerCode(), "untouched");
    }
}

// With a source, only ticked rows are saved and the whole grid is read; the invoice's overall
// discount shares are stored for "INV" only; a home-currency return stores the rate 1.
TEST_F(ReturnLoading, SavingKeepsTheTickedLinesUnderATemporaryNumber) {
    for (const char *kind : {"INV", "DEL"}) {
        SCOPED_TRACE(kind);
        TearDown();
        SetUp();
        const QString source =
            sell(QLatin1String(kind) == "INV" ? SaleKind::Invoice : SaleKind::Delivery, {item("A100"), item("A200")});
        ASSERT_TRUE(load(*salesReturn, kind, source, grid));
        tick(*salesReturn, grid, {{"A200", 2}});
        grid.setRowCount(5); // a blank row before more rows does not end the list
        grid.setCellText(4, 1, "1");
        grid.setCellText(4, 2, "B100");
        for (int row : {2, 4}) {
            grid.setCellText(row, 11, "0.25");
            grid.setCellText(row, 24, "0.75");
        }
        assign(*salesReturn, "ExchangeRate", 3, "SalesRtnComments", "O'Brien; DROP TABLE Sales_Return_Master;--");
        ASSERT_TRUE(salesReturn->Create_Sales_Rtn()) << errDesc().toStdString();
        EXPECT_EQ(salesReturn->SalesRtnNo(), "01HOSRTTMP1");
        const QString overall = QLatin1String(kind) == "INV" ? "0.25|0.75" : "NULL|NULL";
        EXPECT_EQ(
            rowsText(database(), "Sales_Return_Detail",
                     "Item_Code, Sales_Rtn_Qty, Sales_Rtn_Item_Amount, Invoice_OverAll_FCDisc, Invoice_OverAll_Disc, "
                     "Ref_SL_No, Location_ID",
                     "Order by SL_No"),
            "01A200|2|23|" + overall + "|2|1 / 01B100|0|0|" + overall + "|0|");
        EXPECT_EQ(
            rowsText(database(), "Sales_Return_Master",
                     "Sales_Rtn_Identity, Ref_No, Ref_Doc_Type, Exchange_Rate, Sales_Rtn_Comments, Processed_Flag"),
            "1|" + source + "|" + kind + "|1|O'Brien; DROP TABLE Sales_Return_Master;--|0");
    }
}

// Without a source every row with an item code is a line, up to the first row without one.
TEST_F(ReturnLoading, WithoutASourceTheRowsUpToTheFirstBlankItemAreSaved) {
    grid.setRowCount(6);
    grid.setRow(1, {"", "0", "A100", "Widget", "1", "Box-Monthly", "2", "1"});
    grid.setRow(2, {"", "", "A200", "Gadget", "1", "Nos", "1", "3"});
    grid.setRow(3, {"", "1", "", "No code"});
    grid.setRow(4, {"", "1", "B100", "After the blank"});
    ASSERT_TRUE(salesReturn->Create_Sales_Rtn());
    EXPECT_EQ(rowsText(database(), "Sales_Return_Detail", "Item_Code, Unit_Name, Period_Type, Unit_Qty, Sales_Rtn_Qty",
                       "Order by SL_No"),
              "01A100|Box|Monthly|2|1 / 01A200|Nos|NULL|1|3");
    EXPECT_EQ(value("Select Ref_No from Sales_Return_Master"), "NULL");
}

// The saved return reads back into a new object: header by Get_Sales_Rtn, lines by Populate_Details
// (grid cut to N + 2 rows; "0" while unprocessed, "-1" once processed); an update rewrites the lines.
TEST_F(ReturnLoading, ASavedReturnReadsBackAndUpdatesItsLines) {
    const QString source = sell(SaleKind::Delivery, {item("A100"), item("A200")});
    const QString saved = savedReturn(*salesReturn, grid, "DEL", source, {{"A100", 1}, {"A200", 2}});
    database().execute("Update Sales_Return_Detail Set Proj_No = '01HOPRJ  P-7 ' Where Item_Code = '01A200'");
    MemoryGrid shown(10, 29);
    auto again = newReturn(shown);
    again->setSalesRtnNo(saved);
    ASSERT_TRUE(again->Get_Sales_Rtn());
    EXPECT_EQ(again->RefNo(), source);
    EXPECT_EQ(again->RefDate(), day(1));
    EXPECT_EQ(again->RefDocType(), "DEL");
    EXPECT_EQ(again->SalesRtnSubTotal(), 36);
    EXPECT_EQ(again->SalesRtnTotalAmount(), 34.5);
    EXPECT_EQ(again->SalesRtnIdentity(), 1);
    ASSERT_TRUE(again->Populate_Details());
    EXPECT_EQ(shown.rowCount(), 4);
    EXPECT_EQ(cellsText(shown, 1, {1, 2, 5, 7, 13, 16, 28}), "0|A100|Nos|1|11.5|1|1");
    EXPECT_EQ(cellsText(shown, 2, {1, 2, 7, 18, 26}), "0|A200|2|01HOPRJ  P-7 |P-7");
    // Update_Sales_Rtn rewrites the lines of the saved return from the grid.
    grid.setCellText(1, 1, "0");
    ASSERT_TRUE(salesReturn->Update_Sales_Rtn());
    EXPECT_EQ(rowsText(database(), "Sales_Return_Detail", "Sales_Rtn_No, Item_Code"), "01HOSRTTMP1|01A200");
    EXPECT_EQ(database().count("Sales_Return_Master"), 1);
    database().execute("Update Sales_Return_Master Set Processed_Flag = 1");
    ASSERT_TRUE(again->Populate_Details());
    EXPECT_EQ(cellsText(shown, 1, {1}), "-1");

    const struct { const char *number; } missing[] = {{""}, {"01HOSRT999"}};
    for (const auto &m : missing) {
        again->setSalesRtnNo(m.number);
        EXPECT_FALSE(again->Get_Sales_Rtn());
        EXPECT_EQ(again->ErrDesc(), "Invalid Sales Return Number");
    }
}

// The two general lookups, on the return's connection string.
TEST_F(ReturnLoading, LooksUpOneColumnAndWhetherARowExists) {
    bool numeric = false, asNumber = true;
    EXPECT_EQ(salesReturn->GetFldValue("Chart_Of_Accounts", "Account_Name", "Account_No", "01HO4200"), "Sales Returns");
    EXPECT_EQ(salesReturn->GetFldValue("Document_Prefix", "Document_Next_No", "Document_Prefix", "DSI", numeric,
                                       "Branch_Prefix", "HO"),
              "2");
    EXPECT_EQ(salesReturn->GetFldValue("Item_Master", "Item_Name", "Item_Code", "01NONE"), "");
    EXPECT_TRUE(salesReturn->ExistDocument("Direct_Sales_Invoice_Master", "Dir_Sales_Inv_No", "01HODSI1"));
    EXPECT_FALSE(salesReturn->ExistDocument("Direct_Sales_Invoice_Master", "Dir_Sales_Inv_No", "01HODSI2"));
    EXPECT_TRUE(
        salesReturn->ExistDocument("Direct_Sales_Invoice_Detail", "SL_No", "2", asNumber, "Item_Code", "01L100"));
    EXPECT_FALSE(
        salesReturn->ExistDocument("Direct_Sales_Invoice_Detail", "SL_No", "2", asNumber, "Item_Code", "01F100"));
    EXPECT_EQ(salesReturn->GetFldValue("No_Such_Table", "X"), "");
    EXPECT_EQ(errDesc(), "Unknown table 'No_Such_Table'");
}

} // namespace
} // namespace orbsales::testing
