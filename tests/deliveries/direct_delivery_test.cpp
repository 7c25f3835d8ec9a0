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
        {"connection", [&](DirectDelivery &d) { d.setAdoDBConnectionObject(&closed); },
         QStringLiteral("Connection not opened")},
        {"customer code", [](DirectDelivery &d) { d.setCustomerCode(QStringLiteral("  ")); },
         QStringLiteral("Invalid Customer Details")},
        {"customer name", [](DirectDelivery &d) { d.setCustomerName(QString()); },
         QStringLiteral("Invalid Customer Details")},
        {"payment type", [](DirectDelivery &d) { d.setPaymentType(QStringLiteral(" ")); },
         QStringLiteral("Invalid Payment Type")},
        {"company", [](DirectDelivery &d) { d.setCompanyPrefix(QString()); }, QStringLiteral("Invalid Company Prefix")},
        {"branch", [](DirectDelivery &d) { d.setBranchPrefix(QString()); }, QStringLiteral("Invalid Branch Prefix")},
        {"sub total", [](DirectDelivery &d) { d.setDirectDeliverySubtotal(0); }, QStringLiteral("Invalid Sub Total")},
        {"total", [](DirectDelivery &d) { d.setDirectDeliveryTotalAmount(0); }, QStringLiteral("Invalid Total Amount")},
        {"the first failure wins",
         [](DirectDelivery &d) {
             d.setPaymentType(QString());
             d.setDirectDeliveryTotalAmount(0);
         },
         QStringLiteral("Invalid Payment Type")},
    };
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.name);
        auto d = newDirect();
        c.spoil(*d);
        EXPECT_FALSE(d->Create_Direct_Delivery());
        EXPECT_EQ(d->ErrDesc(), c.message);
    }
    EXPECT_EQ(database().count(QStringLiteral("Direct_Delivery_Master")), 0);
    EXPECT_EQ(counter(QStringLiteral("DDL")), 1);
}

TEST_F(DirectDeliveryTest, SavesTheTemporaryNumberTheColumnsAndTheDiscountShares) {
    database().execute(QStringLiteral("Update Document_Prefix Set Document_Next_No=7 Where Document_Prefix='DDL' and "
                                      "Branch_Prefix='HO'"));
    lines.setRow(1, directLine(QStringLiteral("A100"), QStringLiteral("10"), QStringLiteral("100"), QStringLiteral(" Box-Monthly")));
    lines.setRow(2, directLine(QString(), QStringLiteral("1"), QStringLiteral("200")));
    lines.setRow(4, directLine(QStringLiteral("C300"), QStringLiteral("3"), QStringLiteral("300")));
    lines.setCellText(2, 2, kHostile);
    lines.setCellText(1, 9, QStringLiteral("2.5 off"));
    direct->setDirectDeliveryDiscPercent(10);
    direct->setDirectDeliveryFCDiscAmount(60);
    direct->setDirectDeliveryDiscAmount(60);
    direct->setDirectDeliveryComments(QStringLiteral("  "));
    direct->setPaymentType(QStringLiteral("credit"));
    direct->setExchangeRate(3.5);
    ASSERT_TRUE(direct->Create_Direct_Delivery()) << direct->ErrDesc().toStdString();
    EXPECT_EQ(direct->DirectDeliveryNo(), QStringLiteral("01HODDLTMP7"));
    EXPECT_EQ(direct->DirectDeliveryIdentity(), 7);
    EXPECT_EQ(counter(QStringLiteral("DDL")), 8);

    // Blank comments are a single blank; a credit delivery carries its totals as the balance.
    EXPECT_EQ(rows(QStringLiteral("Select Direct_Delivery_Identity, Direct_Delivery_Comments, Balance_Amount, "
                                  "Balance_FCAmount, Address_Code, Exchange_Rate, Currency_Symbol from "
                                  "Direct_Delivery_Master")),
              (QList<QStringList>{{QStringLiteral("7"), QStringLiteral(" "), QStringLiteral("600"), QStringLiteral("600"),
                                   QStringLiteral("NULL"), QStringLiteral("1"), QStringLiteral("Dhs")}}));

    // The blank third row ends the lines; the shares are 10, 20 and what is left, 30.
    const Connection::Result saved = database().connection().select(QStringLiteral(
        "Select SL_No, Item_Code, Item_Name, Unit_Name, Period_Type, Direct_Delivery_FC_Disc_Amount, "
        "Direct_Delivery_Overall_Fc_Disc_Amount, Direct_Delivery_Overall_Disc_Amount from Direct_Delivery_Detail "
        "Order by SL_No"));
    ASSERT_EQ(saved.rows.size(), 2);
    EXPECT_EQ(saved.rows[0].at(1).toString(), QStringLiteral("01A100"));
    EXPECT_EQ(saved.rows[0].at(3).toString(), QStringLiteral("Box"));
    EXPECT_EQ(saved.rows[0].at(4).toString(), QStringLiteral("Monthly"));
    EXPECT_EQ(saved.rows[0].at(5).toDouble(), 2.5);
    EXPECT_EQ(saved.rows[0].at(6).toDouble(), 10);
    EXPECT_EQ(saved.rows[0].at(7).toDouble(), 10);
    EXPECT_TRUE(saved.rows[1].at(1).isNull());
    EXPECT_EQ(saved.rows[1].at(2).toString(), kHostile);
    EXPECT_EQ(saved.rows[1].at(3).toString(), QStringLiteral("Nos"));
    EXPECT_TRUE(saved.rows[1].at(4).isNull());
    EXPECT_EQ(saved.rows[1].at(6).toDouble(), 20);
    // Counted over every row, the last line is row 4, which the save never reaches.
    EXPECT_EQ(saved.rows[1].at(7).toDouble(), 20);

    // With row 3 filled the last line takes what is left: 10, 20 and 60 - 30 = 30. An update
    // writes the lines again; without a foreign header discount no share is written.
    lines.setRow(3, directLine(QStringLiteral("A200"), QStringLiteral("1"), QStringLiteral("300")));
    lines.setRow(4, QStringList());
    ASSERT_TRUE(direct->Update_Direct_Delivery()) << direct->ErrDesc().toStdString();
    QList<double> shares;
    for (const QVariantList &row : database().connection()
                                       .select(QStringLiteral("Select Direct_Delivery_Overall_Fc_Disc_Amount from "
                                                              "Direct_Delivery_Detail Order by SL_No"))
                                       .rows)
        shares << row.at(0).toDouble();
    EXPECT_EQ(shares, (QList<double>{10, 20, 30}));
    direct->setDirectDeliveryFCDiscAmount(0);
    ASSERT_TRUE(direct->Update_Direct_Delivery()) << direct->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Direct_Delivery_Detail"),
                               QStringLiteral("Direct_Delivery_Overall_Disc_Amount is null")),
              3);
    EXPECT_EQ(counter(QStringLiteral("DDL")), 8); // updates keep the number
}

TEST_F(DirectDeliveryTest, LoadsTheLinesAndGreysTheLocationOfItemsWithoutStock) {
    QStringList project = directLine(QStringLiteral("S100"), QStringLiteral("2"), QStringLiteral("300"), QStringLiteral("Hrs"));
    project[15] = QStringLiteral("01HOPRJ0042");
    lines.setRow(1, directLine(QStringLiteral("A100"), QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("Box-Monthly"),
                         QStringLiteral("1")));
    lines.setRow(2, project);
    lines.setRow(3, directLine(QStringLiteral("K100"), QStringLiteral("1"), QStringLiteral("95"), QStringLiteral("Set")));
    lines.setRow(4, directLine(QStringLiteral("Z999"), QStringLiteral("1"), QStringLiteral("5")));
    direct->setEmployeeID(QStringLiteral("E1"));
    direct->setCustomerAddressCode(QStringLiteral("SITE'2"));
    ASSERT_TRUE(direct->Create_Direct_Delivery()) << direct->ErrDesc().toStdString();

    MemoryGrid shown(6, 19);
    DirectDelivery reader;
    reader.setADOConnectionString(connectionString());
    reader.setDirectDeliveryNo(direct->DirectDeliveryNo());
    reader.setDeliveryGridName(&shown);
    ASSERT_TRUE(reader.Get_Direct_Delivery()) << reader.ErrDesc().toStdString();
    EXPECT_EQ(reader.CustomerName(), QStringLiteral("Gulf Builders Co."));
    EXPECT_EQ(reader.CustomerAddressCode(), QStringLiteral("SITE'2"));
    EXPECT_EQ(reader.DirectDeliveryTotalAmount(), 600);
    EXPECT_EQ(reader.EmployeeID(), QStringLiteral("E1"));
    const QStringList first{QStringLiteral("A100"),  QStringLiteral("Item A100"), QStringLiteral("1"),
                            QStringLiteral("Box-Monthly"), QStringLiteral("1"), QStringLiteral("10"),
                            QStringLiteral("10"),    QStringLiteral("0"),         QStringLiteral("0"),
                            QStringLiteral("100"),   QStringLiteral("100"),       QStringLiteral("0"),
                            QStringLiteral("10"),    QStringLiteral("Main Warehouse")};
    for (int col = 1; col <= 14; ++col)
        EXPECT_EQ(shown.cellText(1, col), first[col - 1]) << "column " << col;
    EXPECT_EQ(shown.cellText(1, 15), QString());
    EXPECT_EQ(shown.cellText(1, 17), QStringLiteral("1"));
    EXPECT_EQ(shown.cellText(1, 18), QStringLiteral("1"));
    EXPECT_EQ(shown.cellText(2, 15), QStringLiteral("01HOPRJ0042"));
    EXPECT_EQ(shown.cellText(2, 16), QStringLiteral("0042"));
    EXPECT_EQ(shown.rowCount(), 6);

    // The location's text colour: black for a stock item, grey (disabled text) for a service
    // and for an assembly; an item the inventory does not know keeps its colour.
    const QVariant black = shown.cellProperty(LineGrid::kForeColorSetting, 1, 14);
    EXPECT_EQ(black.toLongLong(), 0);
    EXPECT_EQ(shown.cellProperty(LineGrid::kForeColorSetting, 2, 14).toLongLong(), 0x80000011LL);
    EXPECT_EQ(shown.cellProperty(LineGrid::kForeColorSetting, 3, 14).toLongLong(), 0x80000011LL);
    EXPECT_TRUE(shown.cellProperty(LineGrid::kForeColorSetting, 4, 14).isNull());
    EXPECT_TRUE(shown.cellProperty(LineGrid::kForeColorSetting, 1, 13).isNull());

    // A blank or unknown number, or a delivery without lines, is no delivery to load.
    direct->setDirectDeliveryNo(QStringLiteral("01HODDLTMP9"));
    ASSERT_TRUE(direct->Create_Direct_Delivery_Master()) << direct->ErrDesc().toStdString();
    for (const char *number : {" ", "01HODDLTMP404", "01HODDLTMP9"}) {
        reader.setDirectDeliveryNo(QString::fromLatin1(number));
        EXPECT_FALSE(reader.Get_Direct_Delivery());
        EXPECT_EQ(reader.ErrDesc(), QStringLiteral("Invalid Delivery No")) << number;
    }
}

} // namespace
} // namespace orbsales::testing
