#include "orders/order_fixture.h"
#include "orbsales/orders/order_messages.h"
#include "orbsales/orders/discount_shares.h"

namespace orbsales::testing {
namespace {

namespace msg = order_messages;
using OrderCreate = OrderTest;

TEST_F(OrderCreate, SavesUnderATemporaryNumberWithIdentityZero) {
    grid->setRow(1, line(QStringLiteral("A100")));
    grid->setRow(2, line(QStringLiteral("B200"), QStringLiteral("3"), QStringLiteral("30"), QStringLiteral("Box-Monthly")));
    ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(order->SalesOrdNo(), QStringLiteral("01HOSORTMP1"));
    EXPECT_EQ(order->SalesOrdIdentity(), 0);
    EXPECT_EQ(masterValue(QStringLiteral("Sales_ord_Identity"), order->SalesOrdNo()).toInt(), 0);
    EXPECT_EQ(lineCount(QStringLiteral("01HOSORTMP1")), 2);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Document_Next_No from Document_Prefix Where Document_Prefix='SOR'")).toInt(), 2);
    const Connection::Result rows = database().connection().select(
        QStringLiteral("Select Item_Code, Unit_Name, Period_Type, Sales_Ord_Ordered_Qty from Sales_Order_Detail Order by SL_No"));
    EXPECT_EQ(rows.rows[0][0].toString(), QStringLiteral("01A100"));
    EXPECT_TRUE(rows.rows[0][2].isNull());
    EXPECT_EQ(rows.rows[1][1].toString(), QStringLiteral("Box"));
    EXPECT_EQ(rows.rows[1][2].toString(), QStringLiteral("Monthly"));
    EXPECT_EQ(rows.rows[1][3].toDouble(), 3);
    // Without an employee both employee columns stay empty.
    EXPECT_TRUE(masterValue(QStringLiteral("Employee_Name"), order->SalesOrdNo()).isNull());
}

struct OrderValidationCase {
    const char *name;
    std::function<void(SalesOrder &)> spoil;
    QString message;
};
void PrintTo(const OrderValidationCase &c, std::ostream *os) { *os << c.name; }

class OrderValidation : public OrderTest, public ::testing::WithParamInterface<OrderValidationCase> {};

TEST_P(OrderValidation, RejectsWithTheFirstFailingCheckAndWritesNothing) {
    grid->setRow(1, line(QStringLiteral("A100")));
    GetParam().spoil(*order);
    EXPECT_FALSE(order->Create_Order());
    EXPECT_EQ(order->ErrDesc(), GetParam().message);
    EXPECT_FALSE(order->Update_Order());
    EXPECT_EQ(order->ErrDesc(), GetParam().message);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Chain, OrderValidation,
    ::testing::Values(
        OrderValidationCase{"NoCompany",
                            [](SalesOrder &o) {
                                o.setCompanyPrefix(QString());
                                o.setPaymentType(QString());
                            },
                            msg::kInvalidCompanyPrefix},
        OrderValidationCase{"NoBranch", [](SalesOrder &o) { o.setBranchPrefix(QString()); }, msg::kInvalidBranchPrefix},
        OrderValidationCase{"NoDocumentPrefix", [](SalesOrder &o) { o.setDocumentPrefix(QString()); },
                            msg::kInvalidDocumentPrefix},
        OrderValidationCase{"BlankCustomerName",
                            [](SalesOrder &o) {
                                o.setCustomerName(QStringLiteral("   "));
                                o.setPaymentType(QString());
                            },
                            msg::kInvalidCustomerDetails},
        OrderValidationCase{"NoCustomerCode", [](SalesOrder &o) { o.setCustomerCode(QString()); },
                            msg::kInvalidCustomerDetails},
        OrderValidationCase{"BlankPaymentType", [](SalesOrder &o) { o.setPaymentType(QStringLiteral(" ")); },
                            msg::kInvalidPaymentType}),
    [](const auto &info) { return std::string(info.param.name); });

// Overall discount: each line's share by the percent, the last line the rest of the header.
struct ShareCase {
    const char *name;
    double percent, headerForeign, headerLocal, digits;
    std::vector<double> amounts;
    std::vector<double> expected;
};
void PrintTo(const ShareCase &c, std::ostream *os) { *os << c.name; }

class OverallDiscount : public ::testing::TestWithParam<ShareCase> {};

TEST_P(OverallDiscount, SharesAddUpToTheHeader) {
    const ShareCase &c = GetParam();
    OverallDiscountShares shares(c.percent, c.headerForeign, c.headerLocal, c.digits, static_cast<int>(c.amounts.size()));
    for (size_t i = 0; i < c.amounts.size(); ++i) {
        const auto share = shares.next(static_cast<int>(i) + 1, c.amounts[i], c.amounts[i]);
        EXPECT_DOUBLE_EQ(share.local, c.expected[i]) << "line " << i + 1;
        EXPECT_DOUBLE_EQ(share.foreign, c.expected[i]) << "line " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OverallDiscount,
    ::testing::Values(ShareCase{"TenPercent", 10, 60, 60, 2, {100, 200, 300}, {10, 20, 30}},
                      ShareCase{"LastTakesTheRest", 10, 61, 61, 2, {100, 200, 300}, {10, 20, 31}},
                      ShareCase{"HalfToEven", 5, 1, 1, 2, {0.5, 0.7, 1}, {0.02, 0.04, 0.94}},
                      ShareCase{"DigitsRounded", 10, 3, 3, 1.6, {1.234, 1.766}, {0.12, 2.88}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(OrderCreate, StoresDiscountSharesOnlyWithAForeignHeaderDiscount) {
    grid->setRow(1, line(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("100")));
    grid->setRow(2, line(QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("200")));
    grid->setRow(3, line(QStringLiteral("C"), QStringLiteral("1"), QStringLiteral("300")));
    order->setSalesOrdDiscPercent(10);
    order->setSalesOrdDiscAmount(60);
    order->setSalesOrdFCDiscAmount(60);
    ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    const Connection::Result shares = database().connection().select(
        QStringLiteral("Select Sales_Ord_Overall_Disc, Sales_Ord_Overall_FC_Disc from Sales_Order_Detail Order by SL_No"));
    ASSERT_EQ(shares.rows.size(), 3);
    EXPECT_EQ(shares.rows[0][0].toDouble(), 10);
    EXPECT_EQ(shares.rows[1][0].toDouble(), 20);
    EXPECT_EQ(shares.rows[2][0].toDouble(), 30);
    EXPECT_EQ(shares.rows[2][1].toDouble(), 30);

    auto plain = newOrder();
    MemoryGrid other(5, 18);
    other.setRow(1, line(QStringLiteral("A")));
    plain->setOrderGridName(&other);
    ASSERT_TRUE(plain->Create_Order());
    EXPECT_TRUE(database()
                    .scalar(QStringLiteral("Select Sales_Ord_Overall_Disc from Sales_Order_Detail Where Sales_Ord_No=?"),
                            {plain->SalesOrdNo()})
                    .isNull());
}

TEST_F(OrderCreate, RaisedFromAQuotationMarksItProcessed) {
    database().execute(QStringLiteral("Insert into Sales_Quotation_Master (Sales_Quot_No, Sales_Quot_SubTotal, "
                                      "Sales_Quot_Disc_Percent, Sales_Quot_Disc_Amount, Sales_Quot_Amount, "
                                      "Sales_Quot_FC_SubTotal, Sales_Quot_FC_Disc_Amount, Sales_Quot_FC_Amount, "
                                      "Allow_Cancel_Flag, process_Flag) values ('01HOSQT1',1,0,0,1,1,0,1,1,0)"));
    grid->setRow(1, line(QStringLiteral("A100")));
    order->setSalesQuotNo(QStringLiteral("01HOSQT1"));
    ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(database().scalar(QStringLiteral("Select process_Flag from Sales_Quotation_Master")).toInt(), 1);
    EXPECT_EQ(database().scalar(QStringLiteral("Select Allow_Cancel_Flag from Sales_Quotation_Master")).toInt(), 0);

    auto orphan = newOrder();
    orphan->setSalesQuotNo(QStringLiteral("01HOSQT9"));
    EXPECT_FALSE(orphan->Create_Order());
    EXPECT_EQ(orphan->ErrDesc(), msg::kQuotationToMarkNotFound);
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master"), QStringLiteral("Sales_Quot_No='01HOSQT9'")), 0);
}

TEST_F(OrderCreate, UpdateRewritesTheSameMasterAndItsLines) {
    grid->setRow(1, line(QStringLiteral("A100")));
    grid->setRow(2, line(QStringLiteral("B200")));
    ASSERT_TRUE(order->Create_Order());
    grid->setRow(2, {});
    order->setCustomerName(QStringLiteral("O'Brien; DROP TABLE Sales_Order_Master;--"));
    ASSERT_TRUE(order->Update_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("Sales_Order_Master")), 1);
    EXPECT_EQ(lineCount(order->SalesOrdNo()), 1);
    EXPECT_EQ(masterValue(QStringLiteral("customer_name"), order->SalesOrdNo()).toString(),
              QStringLiteral("O'Brien; DROP TABLE Sales_Order_Master;--"));
}

TEST_F(OrderCreate, WithoutAnOpenConnectionItIsAnUnexpectedFailure) {
    grid->setRow(1, line(QStringLiteral("A100")));
    order->setAdoConnectionObject(nullptr);
    EXPECT_FALSE(order->Create_Order());
    EXPECT_EQ(order->ErrDesc(), QStringLiteral("Object variable or With block variable not set"));
    Connection closed;
    order->setAdoConnectionObject(&closed);
    EXPECT_FALSE(order->Create_Order());
    EXPECT_EQ(order->ErrDesc(), QStringLiteral("Invalid Connection Object"));
}

} // namespace
} // namespace orbsales::testing
