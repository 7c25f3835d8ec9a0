#include "orders/order_fixture.h"
#include "orbsales/orders/order_messages.h"
#include "services/recording_doubles.h"
#include "orbsales/services/service_ids.h"

namespace orbsales::testing {
namespace {

namespace msg = order_messages;

// Items as the inventory knows them: A100 sold in boxes of 12, B200 with no unit row (its
// factors count as 1), base factor 2 for A100 in HO.
class OrderProcess : public OrderTest {
protected:
    void SetUp() override {
        OrderTest::SetUp();
        if (!db)
            return;
        database().execute(QStringLiteral("Insert into Item_Master (Item_Code, Item_Name) values ('01A100','Widget'), "
                                          "('01B200','Gadget')"));
        database().execute(QStringLiteral("Insert into Item_Detail (Item_Code, Unit_Name, Unit_Qty) values "
                                          "('01A100','Box',12)"));
        database().execute(QStringLiteral("Insert into Item_Master_Detail (Item_Code, Branch_Prefix, Base_Qty, "
                                          "Ordered_Qty) values ('01A100','HO',2,0), ('01B200','HO',1,0)"));
    }
    QString createdOrder() {
        grid->setRow(1, line(QStringLiteral("A100"), QStringLiteral("3"), QStringLiteral("20"), QStringLiteral("Box")));
        grid->setRow(2, line(QStringLiteral("B200"), QStringLiteral("5")));
        EXPECT_TRUE(order->Create_Order()) << order->ErrDesc().toStdString();
        return order->SalesOrdNo();
    }
    double ordered(const QString &item) {
        return database()
            .scalar(QStringLiteral("Select Ordered_Qty from Item_Master_Detail Where Item_Code=?"), {item})
            .toDouble();
    }
    int counter() {
        return database()
            .scalar(QStringLiteral("Select Document_Next_No from Document_Prefix Where Document_Prefix='SOR'"))
            .toInt();
    }
};

TEST_F(OrderProcess, HandsEachLinesQuantityInBaseUnitsToTheInventory) {
    const QString temporary = createdOrder();
    RecordingScope inventory(service_ids::kInventory);
    auto processor = newOrder();
    processor->setSalesOrdNo(temporary);
    ASSERT_TRUE(processor->Process_Order()) << processor->ErrDesc().toStdString();
    const QList<RecordedCall> calls = inventory->actions(QStringLiteral("Update_Item_OrderedQty"));
    ASSERT_EQ(calls.size(), 2);
    const QVariantMap first = inventory->propertiesAt(calls[0]);
    EXPECT_EQ(first.value(QStringLiteral("ItemCode")).toString(), QStringLiteral("01A100"));
    EXPECT_EQ(first.value(QStringLiteral("ItemQuantity")).toDouble(), 3 * 12 * 2);
    EXPECT_EQ(first.value(QStringLiteral("BranchPrefix")).toString(), QStringLiteral("HO"));
    EXPECT_EQ(first.value(QStringLiteral("AdoConnectionObject")).value<Connection *>(), caller.get());
    EXPECT_EQ(calls[0].arguments, QVariantList{QStringLiteral("Increase")});
    EXPECT_EQ(inventory->propertiesAt(calls[1]).value(QStringLiteral("ItemQuantity")).toDouble(), 5);
    // The missing unit of B200 is reported but does not stop the order.
    EXPECT_EQ(processor->ErrDesc(), msg::factorNotFound(QStringLiteral("B200"), QStringLiteral("Nos")));
}

TEST_F(OrderProcess, GivesTheFinalNumberToMasterAndLines) {
    const QString temporary = createdOrder();
    auto processor = newOrder();
    processor->setSalesOrdNo(temporary);
    processor->setDocumentPrefix(QString()); // taken from the temporary number
    ASSERT_TRUE(processor->Process_Order()) << processor->ErrDesc().toStdString();
    EXPECT_EQ(processor->SalesOrdNo(), QStringLiteral("01HOSOR2"));
    EXPECT_EQ(processor->DocumentPrefix(), QStringLiteral("SOR"));
    EXPECT_EQ(masterValue(QStringLiteral("process_Flag"), QStringLiteral("01HOSOR2")).toInt(), 1);
    EXPECT_EQ(masterValue(QStringLiteral("Sales_ord_Identity"), QStringLiteral("01HOSOR2")).toInt(), 2);
    EXPECT_EQ(lineCount(QStringLiteral("01HOSOR2")), 2);
    EXPECT_EQ(lineCount(temporary), 0);
    EXPECT_EQ(counter(), 3);
    EXPECT_EQ(ordered(QStringLiteral("01A100")), 72);
    EXPECT_EQ(ordered(QStringLiteral("01B200")), 5);
    // After processing the same object reads the header only.
    MemoryGrid shown(5, 18);
    processor->setOrderGridName(&shown);
    ASSERT_TRUE(processor->Get_Order());
    EXPECT_EQ(shown.cellText(1, 1), QString());
}

struct ModeCase {
    const char *name;
    bool online, sync, manual;
    double typed;
    const char *finalNo;
    int counterAfter;
};
void PrintTo(const ModeCase &c, std::ostream *os) { *os << c.name; }

class OrderProcessModes : public OrderProcess, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(OrderProcessModes, NumberAndCounterFollowTheMode) {
    const ModeCase &c = GetParam();
    const QString temporary = createdOrder();
    database().execute(QStringLiteral("Update Sales_Order_Master Set Sales_ord_Identity=17"));
    database().execute(QStringLiteral("Insert into Default_Sales_Preferences (Company_Prefix, Branch_Prefix) values "
                                      "('01','HO')"));
    auto processor = newOrder();
    processor->setSalesOrdNo(temporary);
    processor->setOnlineFlag(c.online);
    processor->setSyncFlag(c.sync);
    processor->setDocManualFlag(c.manual);
    processor->setDocIdentity(c.typed);
    ASSERT_TRUE(processor->Process_Order()) << processor->ErrDesc().toStdString();
    EXPECT_EQ(processor->SalesOrdNo(), QString::fromLatin1(c.finalNo));
    EXPECT_EQ(lineCount(QString::fromLatin1(c.finalNo)), 2);
    EXPECT_EQ(counter(), c.counterAfter);
    EXPECT_EQ(ordered(QStringLiteral("01B200")), 5);
}

INSTANTIATE_TEST_SUITE_P(Modes, OrderProcessModes,
                         ::testing::Values(ModeCase{"Online", true, false, false, 0, "01HOSOR2", 3},
                                           ModeCase{"Offline", false, false, false, 0, "01HOSOR2", 3},
                                           ModeCase{"SynchronisingTakesACounterValue", false, true, false, 0, "01HOSOR2", 3},
                                           ModeCase{"ManualRaisesTheCounter", false, false, true, 40.5, "01HOSOR40", 41},
                                           ModeCase{"ManualBelowTheCounter", false, false, true, 1, "01HOSOR1", 2}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(OrderProcess, RefusesUnknownOrEmptyOrders) {
    const QString temporary = createdOrder();
    auto processor = newOrder();
    processor->setSalesOrdNo(QStringLiteral("  "));
    EXPECT_FALSE(processor->Process_Order());
    EXPECT_EQ(processor->ErrDesc(), msg::kInvalidSalesOrderNo);
    processor->setSalesOrdNo(QStringLiteral("01HOSORTMP99"));
    EXPECT_FALSE(processor->Process_Order());
    EXPECT_EQ(processor->ErrDesc(), msg::kOrderNotFoundOnLoad);
    database().execute(QStringLiteral("Delete from Sales_Order_Detail"));
    processor->setSalesOrdNo(temporary);
    EXPECT_FALSE(processor->Process_Order());
    EXPECT_EQ(processor->ErrDesc(), msg::kInvalidTemporaryOrderNo);
    EXPECT_EQ(masterValue(QStringLiteral("process_Flag"), temporary).toInt(), 0);
    EXPECT_EQ(counter(), 2);
}

// Online processing converts the order as the branch's preferences say; without preferences it
// stops after the renumbering, which stays written.
TEST_F(OrderProcess, OnlineWithoutPreferencesStopsAfterRenumbering) {
    const QString temporary = createdOrder();
    auto processor = newOrder();
    processor->setSalesOrdNo(temporary);
    processor->setOnlineFlag(true);
    EXPECT_FALSE(processor->Process_Order());
    EXPECT_EQ(processor->ErrDesc(), msg::kSetSalesPreferences);
    EXPECT_EQ(lineCount(QStringLiteral("01HOSOR2")), 2);
    EXPECT_EQ(ordered(QStringLiteral("01A100")), 0);
}

struct DefaultsCase {
    const char *name;
    const char *paymentType;
    int cashDelivery, cashMemo, creditDelivery, creditInvoice;
    bool converts;
};
void PrintTo(const DefaultsCase &c, std::ostream *os) { *os << c.name; }

class OrderDefaults : public OrderProcess, public ::testing::WithParamInterface<DefaultsCase> {};

TEST_P(OrderDefaults, ConvertOnlyWhatThePreferencesAskFor) {
    const DefaultsCase &c = GetParam();
    database().execute(QStringLiteral("Insert into Default_Sales_Preferences (Company_Prefix, Branch_Prefix, "
                                      "Cash_SO_Delivery_Flag, Cash_SO_Cash_Memo_Flag, Credit_SO_Delivery_Flag, "
                                      "Credit_SO_Invoice_Flag) values ('01','HO',?,?,?,?)"),
                       {c.cashDelivery, c.cashMemo, c.creditDelivery, c.creditInvoice});
    order->setPaymentType(QString::fromLatin1(c.paymentType));
    EXPECT_EQ(order->GenerateDefaults(), !c.converts) << order->ErrDesc().toStdString();
    if (c.converts) {
        EXPECT_FALSE(order->ErrDesc().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Preferences, OrderDefaults,
    ::testing::Values(DefaultsCase{"CreditWithCashFlagsOnly", "Credit", 1, 1, 0, 0, false},
                      DefaultsCase{"CashWithCreditFlagsOnly", "Cash", 0, 0, 1, 1, false},
                      DefaultsCase{"LowerCaseCashIsNotCash", "cash", 1, 1, 1, 1, false},
                      DefaultsCase{"NothingAskedFor", "Cash", 0, 0, 0, 0, false},
                      DefaultsCase{"CashDelivery", "Cash", 1, 0, 0, 0, true},
                      DefaultsCase{"CreditInvoice", "Credit", 0, 0, 0, 1, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(OrderProcess, DefaultsWithoutPreferencesAskForThem) {
    EXPECT_FALSE(order->GenerateDefaults());
    EXPECT_EQ(order->ErrDesc(), msg::kSetSalesPreferences);
}

TEST_F(OrderProcess, AnInventoryRefusalStopsAtThatLineKeepingEarlierOnes) {
    const QString temporary = createdOrder();
    RecordingScope inventory(service_ids::kInventory);
    int calls = 0;
    inventory->script(QStringLiteral("Update_Item_OrderedQty"), [&](const RecordedCall &) {
        return ++calls == 2 ? Reply{false, QStringLiteral("Item is locked")} : Reply{true, QString()};
    });
    order->setSalesOrdNo(temporary);
    EXPECT_FALSE(order->Update_Item_SORDQty(QStringLiteral("Increase")));
    EXPECT_EQ(order->ErrDesc(), QStringLiteral("Item is locked"));
    EXPECT_EQ(inventory->actions(QStringLiteral("Update_Item_OrderedQty")).size(), 2);
}

using OrderCancel = OrderProcess;

class OrderCancelWithQuotation : public OrderProcess {
protected:
    void SetUp() override {
        OrderProcess::SetUp();
        if (!db)
            return;
        database().execute(QStringLiteral("Insert into Sales_Quotation_Master (Sales_Quot_No, Sales_Quot_SubTotal, "
                                          "Sales_Quot_Disc_Percent, Sales_Quot_Disc_Amount, Sales_Quot_Amount, "
                                          "Sales_Quot_FC_SubTotal, Sales_Quot_FC_Disc_Amount, Sales_Quot_FC_Amount, "
                                          "Allow_Cancel_Flag, process_Flag) values ('01HOSQT1',1,0,0,1,1,0,1,1,0)"));
        order->setSalesQuotNo(QStringLiteral("01HOSQT1"));
    }
    bool quotationIsOpen() {
        return database().scalar(QStringLiteral("Select Allow_Cancel_Flag from Sales_Quotation_Master")).toInt() == 1 &&
               database().scalar(QStringLiteral("Select process_Flag from Sales_Quotation_Master")).toInt() == 0;
    }
};

TEST_F(OrderCancelWithQuotation, ItsOnlyOrderCancelledOpensTheQuotationAndLowersOrderedQuantities) {
    const QString temporary = createdOrder();
    ASSERT_TRUE(order->Process_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(ordered(QStringLiteral("01A100")), 72);
    EXPECT_FALSE(quotationIsOpen());
    SalesQuotation quotation;
    quotation.setADOConnectionString(connectionString());
    quotation.setSalesQuotNo(QStringLiteral("01HOSQT1"));
    EXPECT_FALSE(quotation.Cancel_Quotation());
    EXPECT_EQ(quotation.ErrDesc(), msg::kCannotCancel);

    ASSERT_TRUE(order->Cancel_Order()) << order->ErrDesc().toStdString();
    EXPECT_EQ(masterValue(QStringLiteral("Cancel_Flag"), order->SalesOrdNo()).toInt(), 1);
    EXPECT_TRUE(quotationIsOpen());
    EXPECT_EQ(ordered(QStringLiteral("01A100")), 0);
    EXPECT_TRUE(quotation.Cancel_Quotation()) << quotation.ErrDesc().toStdString();
}

// Every order that names the quotation counts, cancelled ones included.
TEST_F(OrderCancelWithQuotation, AnotherOrderOfTheQuotationKeepsItProcessed) {
    const QString first = createdOrder();
    auto second = newOrder();
    second->setSalesQuotNo(QStringLiteral("01HOSQT1"));
    ASSERT_TRUE(second->Create_Order());
    ASSERT_TRUE(second->Cancel_Order()) << second->ErrDesc().toStdString();
    EXPECT_FALSE(quotationIsOpen());
    order->setSalesOrdNo(first);
    ASSERT_TRUE(order->Cancel_Order());
    EXPECT_FALSE(quotationIsOpen());
}

TEST_F(OrderCancel, AnOrderWithReferencesChangesNothing) {
    const QString number = createdOrder();
    database().execute(QStringLiteral("Update Sales_Order_Master Set Allow_Cancel_Flag=0"));
    RecordingScope inventory(service_ids::kInventory);
    order->setSalesOrdNo(number);
    EXPECT_FALSE(order->Cancel_Order());
    EXPECT_EQ(order->ErrDesc(), msg::kOrderHasReferences);
    EXPECT_EQ(masterValue(QStringLiteral("Cancel_Flag"), number).toInt(), 0);
    EXPECT_EQ(inventory->calls().size(), 0);
    order->setSalesOrdNo(QString());
    EXPECT_FALSE(order->Cancel_Order());
    EXPECT_EQ(order->ErrDesc(), msg::kInvalidSalesOrderNo);
    order->setSalesOrdNo(QStringLiteral("01HOSOR404"));
    EXPECT_FALSE(order->Cancel_Order());
    EXPECT_EQ(order->ErrDesc(), msg::kInvalidOrderNo);
}

using OrderLoad = OrderProcess;

TEST_F(OrderLoad, LoadsHeaderAndTheGridLayout) {
    QStringList projectLine = line(QStringLiteral("A100"), QStringLiteral("3"), QStringLiteral("20"),
                                   QStringLiteral("Box-Monthly"));
    projectLine[13] = QStringLiteral("P7");
    projectLine[16] = QStringLiteral("01HOPRJ0007");
    projectLine[17] = QStringLiteral("1");
    grid->setRow(1, projectLine);
    grid->setRow(2, line(QStringLiteral("B200")));
    order->setForeignCurrencyFlag(true);
    order->setCurrencyCode(QStringLiteral("USD"));
    order->setExchangeRate(3.67);
    order->setEmployeeID(QStringLiteral("E1"));
    order->setEmployeeName(QStringLiteral("Sam"));
    ASSERT_TRUE(order->Create_Order());
    MemoryGrid shown(10, 18);
    auto reader = std::make_unique<SalesOrder>();
    reader->setADOConnectionString(connectionString());
    reader->setOrderGridName(&shown);
    reader->setSalesOrdNo(order->SalesOrdNo());
    ASSERT_TRUE(reader->Get_Order()) << reader->ErrDesc().toStdString();
    EXPECT_EQ(reader->PaymentType(), QStringLiteral("Credit"));
    EXPECT_EQ(reader->CurrencySymbol(), QStringLiteral("$"));
    EXPECT_EQ(reader->ExchangeRate(), 3.67);
    EXPECT_EQ(reader->EmployeeName(), QStringLiteral("Sam"));
    EXPECT_EQ(shown.cellText(1, 1), QStringLiteral("A100"));
    EXPECT_EQ(shown.cellText(1, 4), QStringLiteral("Box-Monthly"));
    EXPECT_EQ(shown.cellText(2, 4), QStringLiteral("Nos"));
    EXPECT_EQ(shown.cellText(1, 6), QStringLiteral("3"));
    EXPECT_EQ(shown.cellText(1, 7), QStringLiteral("10")); // the foreign price of a foreign order
    EXPECT_EQ(shown.cellText(1, 13), QStringLiteral("0007"));
    EXPECT_EQ(shown.cellText(1, 16), QStringLiteral("01HOPRJ0007"));
    EXPECT_EQ(shown.cellText(1, 17), QStringLiteral("1"));
    EXPECT_EQ(shown.cellText(2, 13), QString());
}

TEST_F(OrderLoad, ReportsAMissingOrder) {
    auto reader = std::make_unique<SalesOrder>();
    reader->setADOConnectionString(connectionString());
    EXPECT_FALSE(reader->Get_Order());
    EXPECT_EQ(reader->ErrDesc(), msg::kInvalidOrderNoDot);
    reader->setSalesOrdNo(QStringLiteral("01HOSORTMP5"));
    EXPECT_FALSE(reader->Get_Order());
    EXPECT_EQ(reader->ErrDesc(), msg::kOrderNotFoundOnLoad);
}

} // namespace
} // namespace orbsales::testing
