#include "invoices/invoice_fixture.h"

namespace orbsales::testing {
namespace {

using InvoiceOffer = InvoiceTest;

// Which deliveries the customer is offered, by the delivery numbers in column 22.
TEST_F(InvoiceOffer, OnlyOpenLinesOfProcessedDeliveriesOfTheCustomer) {
    addDelivery({false, QStringLiteral("01HODEL1")}, {{}});
    addDelivery({true, QStringLiteral("01HODDL2")}, {{}});
    addDelivery({false, QStringLiteral("01B2DEL3"), QStringLiteral("B2")}, {{}});
    addDelivery({false, QStringLiteral("01HODEL4")}, {{.invoiced = 2}});                // billed in full
    addDelivery({false, QStringLiteral("01HODEL5")}, {{.invoiced = 2, .returned = 2}}); // back from hire
    addDelivery({.number = QStringLiteral("01HODEL6"), .processed = 0}, {{}});
    addDelivery({.number = QStringLiteral("01HODEL7"), .cancelled = 1}, {{}});
    addDelivery({.number = QStringLiteral("01HODEL8"), .paid = 1}, {{}});
    addDelivery({.number = QStringLiteral("01HODEL9"), .customer = QStringLiteral("01C009")}, {{}});
    addDelivery({.number = QStringLiteral("02B2DEL10"), .branch = QStringLiteral("B2"), .company = QStringLiteral("02")},
                {{}});
    struct Case {
        const char *name;
        bool allBranches;
        int reinvoicing;
        const char *offered; // in grid order
    } const cases[] = {
        {"one branch", false, 0, "01HODEL1 01HODDL2"},
        {"every branch of the company", true, 0, "01HODEL1 01HODDL2 01B2DEL3"},
        {"re-invoicing offers billed goods still out", false, 1, "01HODEL1 01HODDL2 01B2DEL3 01HODEL4"},
        {"re-invoicing whatever the branch setting", true, 1, "01HODEL1 01HODDL2 01B2DEL3 01HODEL4"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        setReinvoicing(c.reinvoicing);
        grid = std::make_unique<MemoryGrid>(10, 32);
        bool allBranches = c.allBranches;
        ASSERT_TRUE(newInvoice()->Get_Delivery_Details(allBranches));
        QStringList offered;
        for (int row = 1; !cell(row, 22).isEmpty(); ++row)
            offered << cell(row, 22);
        EXPECT_EQ(offered.join(QLatin1Char(' ')), QString::fromLatin1(c.offered));
    }
}

// The open quantity is delivered less invoiced, and with re-invoicing less returned too.
TEST_F(InvoiceOffer, OpenQuantityIsDeliveredLessInvoicedAndWithReinvoicingReturned) {
    struct Case {
        const char *name;
        double delivered, invoiced, returned;
        int reinvoicing;
        const char *shown;
    } const cases[] = {
        {"nothing billed", 5, 0, 0, 0, "5"},
        {"partly billed", 5, 2, 0, 0, "3"},
        {"returns ignored without re-invoicing", 5, 2, 1, 0, "3"},
        {"returns deducted with re-invoicing", 5, 2, 1, 1, "2"},
        {"more billed than left shows zero", 5, 4, 3, 1, "0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        setReinvoicing(c.reinvoicing);
        addDelivery({false, QStringLiteral("01HODEL1")},
                    {{.qty = c.delivered, .invoiced = c.invoiced, .returned = c.returned}});
        bool allBranches = true;
        ASSERT_TRUE(newInvoice()->Get_Delivery_Details(allBranches));
        EXPECT_EQ(cell(1, 10), QString::fromLatin1(c.shown));
        EXPECT_EQ(cell(1, 11), QString::fromLatin1(c.shown));
    }
}

// Column 15 from the home price and discount by the unit's period, column 16 from the foreign ones.
TEST_F(InvoiceOffer, LineAmountFollowsTheUnitsPeriod) {
    struct Case {
        const char *name;
        const char *unit;
        QVariant period;
        double qty, price, disc, stored;
        const char *amount;
    } const cases[] = {
        {"without period by quantity", "Nos", QVariant(), 3, 10, 1, 99, "27"},
        {"daily by quantity", "Day", QStringLiteral("Daily"), 3, 10, 1, 99, "27"},
        {"hourly by quantity", "Hrs", QStringLiteral("Hourly"), 2, 7.5, 0, 99, "15"},
        {"monthly keeps the stored amount", "Mon", QStringLiteral("Monthly"), 3, 10, 1, 99, "99"},
        {"periods are case sensitive", "Day", QStringLiteral("daily"), 3, 10, 1, 99, "99"},
        {"negative by quantity turns positive", "Nos", QVariant(), 3, 10, 12, 99, "6"},
        {"negative stored amount is worked out", "Mon", QStringLiteral("Monthly"), 3, 10, 1, -50, "27"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        addDelivery({false, QStringLiteral("01HODEL1")},
                    {{.qty = c.qty, .price = c.price, .fcPrice = c.price / 2, .disc = c.disc, .fcDisc = c.disc / 2,
                      .unit = QString::fromLatin1(c.unit), .period = c.period, .amount = c.stored,
                      .fcAmount = c.stored / 2}});
        ASSERT_TRUE(newInvoice()->Get_Delivery_Details());
        EXPECT_EQ(cell(1, 15), QString::fromLatin1(c.amount));
        EXPECT_EQ(grid->cellNumber(1, 16), grid->cellNumber(1, 15) / 2);
    }
}

TEST_F(InvoiceOffer, FillsEveryColumnOfADeliveryLine) {
    addDelivery({false, QStringLiteral("01HODEL1"), QStringLiteral("HO"), QStringLiteral("01C001"),
                 QStringLiteral("01"), 1, 0, 0, true, QStringLiteral("A1"), QStringLiteral("REF-7")},
                {{.qty = 4, .price = 35, .fcPrice = 10, .disc = 3.5, .fcDisc = 1, .unit = QStringLiteral("Day"),
                  .period = QStringLiteral("Daily"), .invoiced = 1, .foc = 1, .overall = 7, .overallFc = 2}});
    addDelivery({true, QStringLiteral("01HODDL2")}, {{.code = QStringLiteral("B200"), .qty = 1}});
    ASSERT_TRUE(newInvoice()->Get_Delivery_Details());
    // Columns 1 to 31.
    const QStringList expected =
        QStringLiteral("|0|Head Office|1|01/Dec/2026|A100|Item A100|1|Day-Daily|1|3|3|10|1|2|94.5|27|3.5|01HOPRJ0042|1|35|"
                       "SalesOrder|01HODEL1|7|2|7|A1|Main Warehouse|REF-7|1|10|20/Dec/2026")
            .split(QLatin1Char('|'));
    ASSERT_EQ(expected.size(), 32);
    for (int col = 1; col <= 31; ++col)
        EXPECT_EQ(cell(1, col), expected[col]) << "column " << col;
    // A home-currency direct delivery: its own price in column 12, no overall discount (0),
    // no address, no reference.
    EXPECT_EQ(cell(2, 12), QStringLiteral("10"));
    EXPECT_EQ(cell(2, 21), QStringLiteral("Direct"));
    for (const int col : {14, 23, 24, 25})
        EXPECT_EQ(cell(2, col), QStringLiteral("0")) << "column " << col;
    for (const int col : {26, 27, 28})
        EXPECT_EQ(cell(2, col), QString()) << "column " << col;
}

TEST_F(InvoiceOffer, GrowsTheGridRowByRowAndLeavesItAloneWhenNothingIsOpen) {
    grid->setCellText(1, 5, QStringLiteral("typed"));
    ASSERT_TRUE(newInvoice()->Get_Delivery_Details());
    EXPECT_EQ(cell(1, 5), QStringLiteral("typed"));
    EXPECT_EQ(grid->rowCount(), 10);

    addDelivery({false, QStringLiteral("01HODEL1")}, {{}, {}, {}});
    MemoryGrid small(2, 32);
    ASSERT_TRUE(newInvoice(&small)->Get_Delivery_Details());
    EXPECT_EQ(small.rowCount(), 4);
    EXPECT_EQ(small.cellText(3, 22), QStringLiteral("01HODEL1"));
    MemoryGrid large(8, 32);
    large.setCellText(6, 5, QStringLiteral("kept"));
    ASSERT_TRUE(newInvoice(&large)->Get_Delivery_Details());
    EXPECT_EQ(large.rowCount(), 8);
    EXPECT_EQ(large.cellText(6, 5), QStringLiteral("kept"));
}

TEST_F(InvoiceOffer, RefusesABlankCustomerAndAMissingRentOptionsTable) {
    auto invoice = newInvoice();
    invoice->setCustomerCode(QStringLiteral("  "));
    EXPECT_FALSE(invoice->Get_Delivery_Details());
    EXPECT_EQ(invoice->ErrDesc(), QStringLiteral("Invalid Customer Code"));
    invoice->setCustomerCode(QStringLiteral("01C001"));
    database().execute(QStringLiteral("Drop table RentOptions"));
    EXPECT_FALSE(invoice->Get_Delivery_Details());
    EXPECT_TRUE(invoice->ErrDesc().contains(QStringLiteral("RentOptions"), Qt::CaseInsensitive))
        << invoice->ErrDesc().toStdString();
}

// The lines of a saved invoice come back through both forms of the statement alike.
TEST_F(InvoiceOffer, ReloadLoadsHeaderAndLinesLessTheOverallShare) {
    addDelivery({false, QStringLiteral("01HODEL1"), QStringLiteral("HO"), QStringLiteral("01C001"),
                 QStringLiteral("01"), 1, 0, 0, false, QStringLiteral("A1")},
                {{.qty = 3, .price = 10, .fcPrice = 10, .overall = 4, .overallFc = 4}});
    addDelivery({true, QStringLiteral("01HODDL2")}, {{.code = QString(), .qty = 1, .price = 5, .fcPrice = 5}});
    auto invoice = newInvoice();
    invoice->setSalesInvComments(QStringLiteral("O'Brien; --"));
    const QString number = createdInvoice(*invoice);
    for (const char *form : {"", "MSACCESS"}) {
        SCOPED_TRACE(*form ? "Access" : "Server");
        MemoryGrid shown(3, 32);
        auto reader = newInvoice(&shown);
        reader->setCustomerCode(QString());
        reader->setSalesInvNo(number);
        reader->setDatabase(QString::fromLatin1(form));
        ASSERT_TRUE(reader->Get_Invoice()) << reader->ErrDesc().toStdString();
        EXPECT_EQ(reader->CustomerCode(), QStringLiteral("01C001"));
        EXPECT_EQ(reader->SalesInvComments(), QStringLiteral("O'Brien; --"));
        EXPECT_EQ(reader->SalesInvTotalAmount(), 35);
        EXPECT_EQ(shown.rowCount(), 3); // two lines fit in three rows
        EXPECT_EQ(shown.cellText(1, 1), QStringLiteral("1"));
        EXPECT_EQ(shown.cellText(1, 2), QStringLiteral("Head Office"));
        EXPECT_EQ(shown.cellText(1, 15), QStringLiteral("26")); // 30 less the share of 4
        EXPECT_EQ(shown.cellText(1, 27), QStringLiteral("Main Warehouse"));
        EXPECT_EQ(shown.cellText(2, 5), QString()); // the line without item code
        EXPECT_EQ(shown.cellText(2, 21), QStringLiteral("Direct"));
        EXPECT_EQ(shown.cellText(2, 27), QString()); // no address: kept by the outer join
        EXPECT_EQ(shown.cellText(1, 31), QString());
    }
}

TEST_F(InvoiceOffer, ReloadSizesTheGridAsForEditingAlsoWhenProcessed) {
    addDelivery({false, QStringLiteral("01HODEL1")}, {{}, {}, {}});
    auto invoice = newInvoice();
    const QString number = createdInvoice(*invoice);
    database().execute(QStringLiteral("Update Sales_Invoice_Master Set Processed_Flag = 1"));
    for (const auto &[rows, after] : {std::pair{3, 5}, std::pair{10, 10}}) {
        MemoryGrid shown(rows, 32);
        auto reader = newInvoice(&shown);
        reader->setSalesInvNo(number);
        ASSERT_TRUE(reader->Get_Invoice()) << reader->ErrDesc().toStdString();
        EXPECT_TRUE(reader->ProcessFlag());
        EXPECT_EQ(shown.rowCount(), after);
    }
    auto reader = newInvoice();
    for (const char *wrong : {" ", "01HOINV404"}) {
        reader->setSalesInvNo(QString::fromLatin1(wrong));
        EXPECT_FALSE(reader->Get_Invoice());
        EXPECT_EQ(reader->ErrDesc(), QStringLiteral("Invalid Invoice No"));
    }
}

} // namespace
} // namespace orbsales::testing
