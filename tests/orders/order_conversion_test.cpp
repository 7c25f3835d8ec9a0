#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/orders/sales_order.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/books_halfdone.h"
#include "orbsales/services/package/demo_company.h"
#include "services/test_values.h"
#include "support/test_database.h"

#include <QDateTime>

namespace orbsales::testing {
namespace {

// An online credit or cash order of the demo company's head office, three lines of 5, 2 and 1,
// processed with the branch's preferences asking for the conversions of each case.
class OrderConversion : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        demo::seedDemoCompany(database().connection());
        caller.open(connectionString());
    }
    void TearDown() override {
        caller.close();
        DatabaseTest::TearDown();
    }

    void prefer(int cashDelivery, int cashMemo, int creditDelivery, int creditInvoice) {
        database().execute(QStringLiteral("Update Default_Sales_Preferences Set Cash_SO_Delivery_Flag = ?, "
                                          "Cash_SO_Cash_Memo_Flag = ?, Credit_SO_Delivery_Flag = ?, "
                                          "Credit_SO_Invoice_Flag = ?"),
                           {cashDelivery, cashMemo, creditDelivery, creditInvoice});
    }
    std::unique_ptr<SalesOrder> newOrder(const QString &paymentType) {
        const char *const lines[][3] = {{"A100", "5", "Nos"}, {"A200", "2", "Nos"}, {"C300", "1", "Mtr"}};
        for (int row = 1; row <= 3; ++row) {
            const auto &[code, quantity, unit] = lines[row - 1];
            const QString amount = QString::number(QByteArray(quantity).toInt() * 10);
            grid.setRow(row, {"", code, "Item", "1", unit, "1", quantity, "10", "0", "0", amount, amount, "0", "", "0",
                              "10", "", "0"});
        }
        auto order = std::make_unique<SalesOrder>();
        order->setAdoConnectionObject(&caller);
        order->setOrderGridName(&grid);
        assign(*order, "ADOConnectionString", connectionString(), "CompanyPrefix", "01", "BranchPrefix", "HO",
               "DocumentPrefix", "SOR", "DeliveryPrefix", "DEL", "CashMemoPrefix", "CHM", "InvoicePrefix", "INV",
               "StockMovementPrefix", "DEL", "SalesLogPrefix", "INV", "LocationID", 1, "LocationName", "Main Warehouse",
               "CustomerCode", "01C001", "CustomerName", "Acme Trading LLC", "PaymentType", paymentType, "SalesOrdDate",
               QDateTime(QDate(2026, 12, 5), QTime(0, 0)), "SalesOrdSubTotal", 80, "SalesOrdTotalAmount", 80,
               "SalesOrdFCSubTotal", 80, "SalesOrdFCTotalAmount", 80, "CurrencyCode", "AED", "AllowCancelFlag", true,
               "AmtDig", 2, "OnlineFlag", true, "LastUpdate", QDateTime(QDate(2026, 12, 5), QTime(10, 30)));
        return order;
    }
    QList<QStringList> rows(const QString &table, const QString &columns) {
        return rowsOf(database(), table, columns, QStringLiteral("Order by SL_No"));
    }
    double number(const QString &sql) { return database().scalar(sql).toDouble(); }

    Connection caller;
    MemoryGrid grid{10, 18};
};

// Each preference combination converts the order in full into what it asks for, every converted
// document is processed online, and the books and the items' ordered quantities come out whole.
TEST_F(OrderConversion, EachPreferenceMakesItsDocumentsFromEveryLine) {
    const struct {
        const char *paymentType;
        int cashDelivery, cashMemo, creditDelivery, creditInvoice;
        int deliveries, memos, invoices;
        double memoDelivered; // of the first memo line
    } cases[] = {{"Credit", 0, 0, 1, 1, 1, 0, 1, 0},
                 {"Credit", 0, 0, 1, 0, 1, 0, 0, 0},
                 {"Cash", 0, 1, 0, 0, 0, 1, 0, 0},
                 {"Cash", 1, 1, 0, 0, 1, 1, 0, 5}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.paymentType) + " " + std::to_string(c.cashDelivery) +
                     std::to_string(c.creditInvoice));
        TearDown();
        SetUp();
        prefer(c.cashDelivery, c.cashMemo, c.creditDelivery, c.creditInvoice);
        const double stockBefore = number("Select Stock_In_Hand from Item_Master_Detail Where Item_Code='01A100' and "
                                          "Branch_Prefix='HO'");
        auto order = newOrder(QString::fromLatin1(c.paymentType));
        ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
        ASSERT_TRUE(order->Process_Order()) << order->ErrDesc().toStdString();
        EXPECT_EQ(order->SalesOrdNo(), QStringLiteral("01HOSOR2"));

        EXPECT_EQ(number("Select count(*) from Delivery_Master Where Processed_Flag = 1 and Delivery_No = '01HODEL2' "
                         "and Source_No = '01HOSOR2'"),
                  c.deliveries);
        EXPECT_EQ(number("Select count(*) from Cash_Memo_Master Where process_Flag = 1 and Reference_No = '01HOSOR2'"),
                  c.memos);
        EXPECT_EQ(number("Select count(*) from Sales_Invoice_Master Where Processed_Flag = 1"), c.invoices);
        if (c.deliveries) {
            // Every order line in full, nothing left to deliver; the goods left the warehouse.
            EXPECT_EQ(rows("Delivery_Detail",
                           "Delivery_Qty, Sales_Ord_Dtl_SL_No, Sales_Ord_Balance_Qty, Delivery_Item_Amount"),
                      (QList<QStringList>{{"5", "1", "0", "50"}, {"2", "2", "0", "20"}, {"1", "3", "0", "10"}}));
            EXPECT_EQ(number("Select Paid_Flag from Delivery_Master"), c.paymentType == std::string("Cash") ? 1 : 0);
        }
        // The delivery and the cash memo each take their quantities from stock: a cash order
        // delivered and billed on a memo leaves the warehouse twice, as the memo's processing has it.
        EXPECT_EQ(number("Select Stock_In_Hand from Item_Master_Detail Where Item_Code='01A100' and Branch_Prefix='HO'"),
                  stockBefore - 5 * (c.deliveries + c.memos));
        if (c.memos) {
            EXPECT_EQ(rows("Cash_Memo_Detail",
                           "Cash_Memo_Qty, Cash_Memo_Delivered_Qty, Reference_SL_No, Cash_Memo_Unit_Price"),
                      (QList<QStringList>{{"5", QString::number(c.memoDelivered), "1", "10"},
                                          {"2", QString::number(c.memoDelivered ? 2 : 0), "2", "10"},
                                          {"1", QString::number(c.memoDelivered ? 1 : 0), "3", "10"}}));
        }
        if (c.invoices) {
            // The invoice bills the delivery's lines; the identity is the delivery number's tail.
            EXPECT_EQ(rows("Sales_Invoice_Detail",
                           "Sales_Inv_Qty, Delivery_Dtl_SL_No, Delivery_Identity, Sales_Inv_Item_Amount"),
                      (QList<QStringList>{{"5", "1", "2", "50"}, {"2", "2", "2", "20"}, {"1", "3", "2", "10"}}));
            EXPECT_EQ(number("Select count(*) from Sales_Invoice_Detail Where Delivery_No = '01HODEL2' and "
                             "Delivery_Flag = 'SalesOrder'"),
                      3);
            EXPECT_EQ(number("Select sum(Invoiced_Qty) from Delivery_Detail"), 8);
        }
        // Converted before its own quantities went on order: the order holds nothing open.
        EXPECT_EQ(number("Select Ordered_Qty from Item_Master_Detail Where Item_Code='01A100' and Branch_Prefix='HO'"),
                  c.deliveries ? 0 : 5);
        const QStringList breaches = package::verifyBooks(database().connection());
        EXPECT_TRUE(breaches.isEmpty()) << breaches.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(package::findHalfDoneDocuments(database().connection()).isEmpty());
    }
}

// A failing step stops the conversion and leaves what was written before it: here the delivery's
// master row is saved, and its lines are refused by an item unknown to the inventory.
TEST_F(OrderConversion, AFailureHalfWayKeepsTheStepsBeforeIt) {
    prefer(0, 0, 1, 1);
    auto order = newOrder(QStringLiteral("Credit"));
    ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    database().execute("Update Sales_Order_Detail Set Item_Code = '01Z999' Where SL_No = 2");
    EXPECT_FALSE(order->Process_Order());
    EXPECT_EQ(order->ErrDesc(), "Item '01Z999' does not exist");
    EXPECT_EQ(number("Select count(*) from Delivery_Master"), 1);
    EXPECT_EQ(number("Select count(*) from Delivery_Detail"), 3);
    EXPECT_EQ(number("Select count(*) from Sales_Invoice_Master"), 0);
}

// Without a delivery made first on the object, the invoice is made without lines.
TEST_F(OrderConversion, AnInvoiceWithoutADeliveryHasNoLines) {
    prefer(0, 0, 0, 0);
    auto order = newOrder(QStringLiteral("Credit"));
    ASSERT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
    ASSERT_TRUE(order->Process_Order()) << order->ErrDesc().toStdString();
    const bool made = order->Process_Invoice(QStringLiteral("Credit"));
    EXPECT_EQ(number("Select count(*) from Sales_Invoice_Master"), 1);
    EXPECT_EQ(number("Select count(*) from Sales_Invoice_Detail"), 0);
    EXPECT_EQ(made, order->ErrDesc().isEmpty()) << order->ErrDesc().toStdString();
}

} // namespace
} // namespace orbsales::testing
