#include "invoices/invoice_fixture.h"
#include "orbsales/services/service_ids.h"
#include "services/recording_doubles.h"

namespace orbsales::testing {
namespace {

using InvoiceSave = InvoiceTest;

// A grid row as the invoice screen holds it, columns 0 to 31.
QStringList gridRow(const QString &tick) {
    QStringList cells(32);
    const std::pair<int, const char *> values[] = {
        {2, "Head Office"},  {3, "7"},    {4, "01/Dec/2026"}, {5, " A100 "},
        {6, " Widget "},     {7, "2abc"}, {8, "Day-Daily"},   {9, "1"},
        {10, "3"},           {11, "5"},   {12, "4.5"},        {13, "0.5"},
        {14, "1.25"},        {15, "12"},  {16, "3.25"},       {17, "2"},
        {18, "01HOPRJ0042"}, {19, "11"},  {20, "18"},         {21, "SalesOrder"},
        {22, "01HODEL7"},    {23, "5"},   {26, "A1"},         {28, "O'Brien; --"},
        {29, "1"},           {30, "4.75"}};
    for (const auto &[col, text] : values)
        cells[col] = QString::fromUtf8(text);
    cells[1] = tick;
    return cells;
}

TEST_F(InvoiceSave, SavesTheHeaderUnderATemporaryNumber) {
    auto invoice = newInvoice();
    invoice->setCurrencySymbol(QStringLiteral("?"));
    invoice->setExchangeRate(3.5); // not a foreign-currency invoice: stored as 1
    invoice->setSalesInvTotalAmount(120);
    invoice->setSalesInvFCTotalAmount(120);
    invoice->setSalesInvComments(QStringLiteral("   "));
    invoice->setInvoiceRefNo(QStringLiteral("O'Brien; DROP TABLE Sales_Invoice_Master;--"));
    bool withLines = false;
    ASSERT_TRUE(invoice->Create_Sales_Invoice(withLines)) << invoice->ErrDesc().toStdString();
    const QString number = invoice->SalesInvNo();
    EXPECT_EQ(number, QStringLiteral("01HOINVTMP1"));
    EXPECT_EQ(invoice->SalesInvIdentity(), 1);
    EXPECT_EQ(invoice->CurrencySymbol(), QStringLiteral("Dhs"));
    EXPECT_EQ(counter(), 2);
    EXPECT_EQ(invoiceValue(QStringLiteral("Exchange_Rate"), number).toDouble(), 1);
    EXPECT_EQ(invoiceValue(QStringLiteral("Balance_Amount"), number).toDouble(), 120);
    EXPECT_TRUE(invoiceValue(QStringLiteral("Sales_Inv_Comments"), number).isNull());
    EXPECT_EQ(invoiceValue(QStringLiteral("Employee_ID"), number).toString(), QString());
    EXPECT_FALSE(invoiceValue(QStringLiteral("Employee_ID"), number).isNull()); // empty text, not NULL
    EXPECT_EQ(invoiceValue(QStringLiteral("Invoice_Ref_no"), number).toString(),
              QStringLiteral("O'Brien; DROP TABLE Sales_Invoice_Master;--"));
    EXPECT_TRUE(invoiceValue(QStringLiteral("Last_Update"), number).isNull());
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Detail")), 0);
}

TEST_F(InvoiceSave, SavesTickedRowsWithTheirGridRowAsSerial) {
    grid->setRow(1, gridRow(QStringLiteral("1")));
    grid->setRow(2, gridRow(QStringLiteral("0")));
    grid->setRow(3, gridRow(QStringLiteral("True")));
    grid->setRow(5, gridRow(QStringLiteral("1"))); // after the blank row 4: not read
    auto invoice = newInvoice();
    ASSERT_TRUE(invoice->Create_Sales_Invoice()) << invoice->ErrDesc().toStdString();
    const Connection::Result rows = database().connection().select(
        QStringLiteral("Select SL_No, Delivery_Identity, Delivery_Date, Item_Code, Item_Name, Unit_Code, Unit_Name, "
                       "Period_Type, FOC_Flag, Unit_Qty, Sales_Inv_Qty, Delivery_Qty, Sales_Inv_FC_Unit_Price, "
                       "Sales_Inv_Dtl_FC_Disc_Amount, Sales_Ord_Overall_FC_Disc, Sales_Inv_FC_Item_Amount, "
                       "Sales_Inv_Unit_Price, Sales_Inv_Dtl_Disc_Amount, Sales_Ord_Overall_Disc, "
                       "Sales_Inv_Item_Amount, Proj_No, Delivery_Dtl_SL_No, Delivery_Flag, Delivery_No, Address_Code, "
                       "Delivery_Ref_No, Delivery_Dtl_FC_Unit_Price from Sales_Invoice_Detail Order by SL_No"));
    ASSERT_EQ(rows.rows.size(), 2);
    EXPECT_EQ(rows.rows[0].at(0).toInt(), 1);
    EXPECT_EQ(rows.rows[1].at(0).toInt(), 3);
    const QStringList expected = QStringLiteral("1|7|01/Dec/2026|01A100|Widget|2|Day|Daily|1|1|3|5|4.5|0.5|1.25|3.25|18|2|"
                                                "5|12|01HOPRJ0042|11|SalesOrder|01HODEL7|A1|O'Brien; --|4.75")
                                     .split(QLatin1Char('|'));
    ASSERT_EQ(expected.size(), rows.columns.size());
    for (int c = 1; c < expected.size(); ++c)
        EXPECT_EQ(rows.rows[0].at(c).toString(), expected[c]) << rows.columns.value(c).toStdString();
}

TEST_F(InvoiceSave, BlankOrZeroCellsLeaveTheirColumnsNull) {
    QStringList row(32);
    row[1] = QStringLiteral("1");
    row[2] = QStringLiteral("Head Office");
    row[21] = QStringLiteral("  ");
    row[22] = QStringLiteral("01HODEL7"); // ignored without a source kind
    grid->setRow(1, row);
    auto invoice = newInvoice();
    ASSERT_TRUE(invoice->Create_Sales_Invoice()) << invoice->ErrDesc().toStdString();
    for (const char *column :
         {"Delivery_Identity", "Delivery_Date", "Item_Code", "Item_Name", "Unit_Name", "Period_Type", "Delivery_No",
          "Address_Code", "Delivery_Ref_No", "Delivery_Dtl_FC_Unit_Price"})
        EXPECT_TRUE(database()
                        .scalar(QStringLiteral("Select %1 from Sales_Invoice_Detail").arg(QLatin1String(column)))
                        .isNull())
            << column;
}

TEST_F(InvoiceSave, UpdateReplacesTheLines) {
    grid->setRow(1, gridRow(QStringLiteral("1")));
    grid->setRow(2, gridRow(QStringLiteral("1")));
    auto invoice = newInvoice();
    ASSERT_TRUE(invoice->Create_Sales_Invoice());
    grid->setCellText(2, 1, QStringLiteral("0"));
    ASSERT_TRUE(invoice->Update_Sales_Invoice()) << invoice->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Detail")), 1);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Master")), 1);
    EXPECT_EQ(counter(), 2);
}

TEST_F(InvoiceSave, RefusesAClosedConnectionAndCopiesACounterRefusal) {
    auto invoice = newInvoice();
    Connection closed;
    invoice->setAdoDBConnectionObject(&closed);
    EXPECT_FALSE(invoice->Create_Sales_Invoice());
    EXPECT_EQ(invoice->ErrDesc(), QStringLiteral("Connection not opened"));
    invoice->setAdoDBConnectionObject(nullptr);
    EXPECT_FALSE(invoice->Update_Sales_Invoice());
    EXPECT_EQ(invoice->ErrDesc(), QStringLiteral("Connection not opened"));
    EXPECT_EQ(counter(), 1);

    RecordingScope counterDouble(service_ids::kCounterTransaction);
    counterDouble->fail(QStringLiteral("Get_Last_Counter"), QStringLiteral("Counter is locked"));
    invoice = newInvoice();
    EXPECT_FALSE(invoice->Create_Sales_Invoice());
    EXPECT_EQ(invoice->ErrDesc(), QStringLiteral("Counter is locked"));
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Master")), 0);
}

// The re-invoicing option is read before the lines and outside the detail save's error trap:
// creating reports the error after the header was written, updating raises it.
TEST_F(InvoiceSave, AMissingRentOptionsTableStopsTheLines) {
    grid->setRow(1, gridRow(QStringLiteral("1")));
    database().execute(QStringLiteral("Drop table RentOptions"));
    auto invoice = newInvoice();
    EXPECT_FALSE(invoice->Create_Sales_Invoice());
    EXPECT_TRUE(invoice->ErrDesc().contains(QStringLiteral("RentOptions"), Qt::CaseInsensitive))
        << invoice->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Master")), 1);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Invoice_Detail")), 0);
    EXPECT_THROW(invoice->Update_Sales_Invoice(), DatabaseError);
}

TEST_F(InvoiceSave, ATickThatIsNoBooleanIsATypeMismatch) {
    grid->setRow(1, gridRow(QStringLiteral("yes")));
    auto invoice = newInvoice();
    EXPECT_FALSE(invoice->Create_Sales_Invoice());
    EXPECT_EQ(invoice->ErrDesc(), QStringLiteral("Type mismatch"));
}

} // namespace
} // namespace orbsales::testing
