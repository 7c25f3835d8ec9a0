#include "deliveries/direct_delivery_fixture.h"

#include "orbsales/grid/line_grid.h"

#include <functional>

namespace orbsales::testing {
namespace {

struct Refusal {
    const char *name;
    std::function<void(DirectDelivery &)> spoil;
    QString message;
};

TEST_F(DirectDeliveryTest, ValidationChecksInItsOrder) {
    Connection closed;
    const Refusal cases[] = {
        {"connection", [&](DirectDelivery &d) { d.setAdoDBConnectionObject(&closed); }, "Connection not opened"},
        {"customer code", [](DirectDelivery &d) { d.setCustomerCode("  "); }, "Invalid Customer Details"},
        {"customer name", [](DirectDelivery &d) { d.setCustomerName(QString()); }, "Invalid Customer Details"},
        {"payment type", [](DirectDelivery &d) { d.setPaymentType(" "); }, "Invalid Payment Type"},
        {"company", [](DirectDelivery &d) { d.setCompanyPrefix(QString()); }, "Invalid Company Prefix"},
        {"branch", [](DirectDelivery &d) { d.setBranchPrefix(QString()); }, "Invalid Branch Prefix"},
        {"sub total", [](DirectDelivery &d) { d.setDirectDeliverySubtotal(0); }, "Invalid Sub Total"},
        {"total", [](DirectDelivery &d) { d.setDirectDeliveryTotalAmount(0); }, "Invalid Total Amount"},
        {"the first failure wins",
         [](DirectDelivery &d) {
             d.setPaymentType(QString());
             d.setDirectDeliveryTotalAmount(0);
         },
         "Invalid Payment Type"},
    };
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.name);
        auto d = newDirect();
        c.spoil(*d);
        EXPECT_FALSE(d->Create_Direct_Delivery());
        EXPECT_EQ(d->ErrDesc(), c.message);
    }
    EXPECT_EQ(database().count("Direct_Delivery_Master"), 0);
    EXPECT_EQ(counter("DDL"), 1);
}

TEST_F(DirectDeliveryTest, SavesTheTemporaryNumberTheColumnsAndTheDiscountShares) {
    database().execute("Update Document_Prefix Set Document_Next_No=7 Where Document_Prefix='DDL' and "
                       "Branch_Prefix='HO'");
    lines.setRow(1, directLine("A100", "10", "100", " Box-Monthly"));
    lines.setRow(2, directLine(QString(), "1", "200"));
    lines.setRow(4, directLine("C300", "3", "300"));
    lines.setCellText(2, 2, kHostile);
    lines.setCellText(1, 9, "2.5 off");
    assign(*direct, "DirectDeliveryDiscPercent", 10, "DirectDeliveryFCDiscAmount", 60, "DirectDeliveryDiscAmount", 60,
           "DirectDeliveryComments", "  ", "PaymentType", "credit", "ExchangeRate", 3.5);
    ASSERT_TRUE(direct->Create_Direct_Delivery()) << direct->ErrDesc().toStdString();
    EXPECT_EQ(direct->DirectDeliveryNo(), "01HODDLTMP7");
    EXPECT_EQ(direct->DirectDeliveryIdentity(), 7);
    EXPECT_EQ(counter("DDL"), 8);

    // Blank comments are a single blank; a credit delivery carries its totals as the balance.
    EXPECT_EQ(text("Direct_Delivery_Master", "Direct_Delivery_Identity, Direct_Delivery_Comments, Balance_Amount, "
                                             "Balance_FCAmount, Address_Code, Exchange_Rate, Currency_Symbol"),
              "7| |600|600|NULL|1|Dhs");

    // The blank third row ends the lines; the shares are 10, 20 and what is left, 30.
    // Counted over every row, the last line is row 4, which the save never reaches: its share is 20.
    EXPECT_EQ(text("Direct_Delivery_Detail",
                   "Item_Code, Item_Name, Unit_Name, Period_Type, Direct_Delivery_FC_Disc_Amount, "
                   "Direct_Delivery_Overall_Fc_Disc_Amount, Direct_Delivery_Overall_Disc_Amount",
                   "Order by SL_No"),
              "01A100|Item A100|Box|Monthly|2.5|10|10 / NULL|O'Brien; DROP TABLE Delivery_Detail;--|"
              "Nos|NULL|0|20|20");

    // With row 3 filled the last line takes what is left: 10, 20 and 60 - 30 = 30. An update
    // writes the lines again; without a foreign header discount no share is written.
    lines.setRow(3, directLine("A200", "1", "300"));
    lines.setRow(4, QStringList());
    ASSERT_TRUE(direct->Update_Direct_Delivery()) << direct->ErrDesc().toStdString();
    EXPECT_EQ(text("Direct_Delivery_Detail", "Direct_Delivery_Overall_Fc_Disc_Amount", "Order by SL_No"),
              "10 / 20 / 30");
    direct->setDirectDeliveryFCDiscAmount(0);
    ASSERT_TRUE(direct->Update_Direct_Delivery()) << direct->ErrDesc().toStdString();
    EXPECT_EQ(database().count("Direct_Delivery_Detail", "Direct_Delivery_Overall_Disc_Amount is null"), 3);
    EXPECT_EQ(counter("DDL"), 8); // updates keep the number
}

TEST_F(DirectDeliveryTest, LoadsTheLinesAndGreysTheLocationOfItemsWithoutStock) {
    QStringList project = directLine("S100", "2", "300", "Hrs");
    project[15] = "01HOPRJ0042";
    lines.setRow(1, directLine("A100", "10", "100", "Box-Monthly", "1"));
    lines.setRow(2, project);
    lines.setRow(3, directLine("K100", "1", "95", "Set"));
    lines.setRow(4, directLine("Z999", "1", "5"));
    direct->setEmployeeID("E1");
    direct->setCustomerAddressCode("SITE'2");
    ASSERT_TRUE(direct->Create_Direct_Delivery()) << direct->ErrDesc().toStdString();

    MemoryGrid shown(6, 19);
    DirectDelivery reader;
    reader.setADOConnectionString(connectionString());
    reader.setDirectDeliveryNo(direct->DirectDeliveryNo());
    reader.setDeliveryGridName(&shown);
    ASSERT_TRUE(reader.Get_Direct_Delivery()) << reader.ErrDesc().toStdString();
    EXPECT_EQ(reader.CustomerName(), "Gulf Builders Co.");
    EXPECT_EQ(reader.CustomerAddressCode(), "SITE'2");
    EXPECT_EQ(reader.DirectDeliveryTotalAmount(), 600);
    EXPECT_EQ(reader.EmployeeID(), "E1");
    EXPECT_EQ(cellsText(shown, 1, 1, 18), "A100|Item A100|1|Box-Monthly|1|10|10|0|0|100|100|0|10|Main Warehouse||"
                                          "|1|1");
    EXPECT_EQ(cellsText(shown, 2, {15, 16}), "01HOPRJ0042|0042");
    EXPECT_EQ(shown.rowCount(), 6);

    // The location's text colour: black for a stock item, grey (disabled text) for a service
    // and for an assembly; an item the inventory does not know keeps its colour.
    QStringList colours;
    for (const auto &[row, col] : {std::pair{1, 14}, {2, 14}, {3, 14}, {4, 14}, {1, 13}})
        colours << traceText(shown.cellProperty(LineGrid::kForeColorSetting, row, col));
    EXPECT_EQ(colours.join('|'), "0|2147483665|2147483665|(null)|(null)");

    // A blank or unknown number, or a delivery without lines, is no delivery to load.
    direct->setDirectDeliveryNo("01HODDLTMP9");
    ASSERT_TRUE(direct->Create_Direct_Delivery_Master()) << direct->ErrDesc().toStdString();
    for (const char *number : {" ", "01HODDLTMP404", "01HODDLTMP9"}) {
        reader.setDirectDeliveryNo(QString::fromLatin1(number));
        EXPECT_FALSE(reader.Get_Direct_Delivery());
        EXPECT_EQ(reader.ErrDesc(), "Invalid Delivery No") << number;
    }
}

} // namespace
} // namespace orbsales::testing
