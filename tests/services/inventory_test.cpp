#include "orbsales/services/package/package_messages.h"
#include "services/package_fixture.h"

#include "orbsales/services/inventory.h"
#include "orbsales/services/location_stock.h"
#include "orbsales/services/reduce_stock.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/services/stock_movement.h"

#include <functional>

namespace orbsales::testing {
namespace {

namespace msg = package::messages;
namespace ids = service_ids;

const QString kBolt = QStringLiteral("01A100");

class Items : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        addItem(kBolt);
        addBranchItem(kBolt, QStringLiteral("HO"), 100, 250);
        addPreferences(QStringLiteral("HO"));
    }

    std::unique_ptr<Inventory> inventory(const QString &item = kBolt) {
        auto object = service<Inventory>(ids::kInventory);
        object->setItemCode(item);
        object->setCompanyPrefix(QStringLiteral("01"));
        object->setBranchPrefix(QStringLiteral("HO"));
        return object;
    }
    double ordered(const QString &branch = QStringLiteral("HO")) {
        return number(
            QStringLiteral("Select Ordered_Qty from Item_Master_Detail Where Item_Code=? and Branch_Prefix=?"),
            {kBolt, branch});
    }
};

TEST_F(Items, OrderedQuantityGoesUpAndDownButNotBelowNothing) {
    auto object = inventory();
    object->setItemQuantity(24);
    ASSERT_TRUE(object->Update_Item_OrderedQty(QStringLiteral("Increase"))) << object->ErrDesc().toStdString();
    EXPECT_EQ(ordered(), 24);
    object->setItemQuantity(10);
    ASSERT_TRUE(object->Update_Item_OrderedQty(QStringLiteral("decrease")));
    EXPECT_EQ(ordered(), 14);
    object->setItemQuantity(20);
    ASSERT_TRUE(object->Update_Item_OrderedQty(QStringLiteral("Decrease")));
    EXPECT_EQ(ordered(), 0);
}

TEST_F(Items, OrderedQuantityRefusesWhatItCannotApply) {
    struct Case {
        const char *name;
        QString item, branch, direction;
        double quantity;
        QString message;
    };
    const Case cases[] = {
        {"unknown direction", kBolt, QStringLiteral("HO"), QStringLiteral("Raise"), 1,
         msg::invalidDirection(QStringLiteral("Raise"))},
        {"negative quantity", kBolt, QStringLiteral("HO"), QStringLiteral("Increase"), -3,
         msg::negative(QStringLiteral("ItemQuantity"), QStringLiteral("-3"))},
        {"unknown item", QStringLiteral("01Z999"), QStringLiteral("HO"), QStringLiteral("Increase"), 1,
         msg::unknownItem(QStringLiteral("01Z999"))},
        {"item not kept in the branch", kBolt, QStringLiteral("B2"), QStringLiteral("Increase"), 1,
         msg::itemNotInBranch(kBolt, QStringLiteral("B2"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto object = inventory(c.item);
        object->setBranchPrefix(c.branch);
        object->setItemQuantity(c.quantity);
        EXPECT_FALSE(object->Update_Item_OrderedQty(c.direction));
        EXPECT_EQ(object->ErrDesc(), c.message);
        EXPECT_EQ(ordered(), 0);
    }
}

TEST_F(Items, EachAccountComesFromTheBranchRowElseTheItemElseTheBranchDefaults) {
    database().execute(QStringLiteral("Update Item_Master_Detail Set Sales_Account_No = '01HO4001' Where Item_Code=?"),
                       {kBolt});
    database().execute(QStringLiteral("Update Item_Master Set Sales_Account_No = '01HO4999', "
                                      "COGS_Account_No = '01HO5001' Where Item_Code=?"),
                       {kBolt});
    auto object = inventory();
    ASSERT_TRUE(object->Get_Item_Account()) << object->ErrDesc().toStdString();
    EXPECT_EQ(object->SalesAccountNo(), QStringLiteral("01HO4001"));
    EXPECT_EQ(object->COGSAccountNo(), QStringLiteral("01HO5001"));
    EXPECT_EQ(object->InventoryAccountNo(), QStringLiteral("01HO1300"));
    EXPECT_EQ(object->FOCAccountNo(), QStringLiteral("01HO5100"));
    EXPECT_EQ(object->CashSalesAccount(), QStringLiteral("01HO4100"));
}

TEST_F(Items, AccountsOfAnUnknownItemAreRefusedMissingDefaultsLeftEmpty) {
    auto unknown = inventory(QStringLiteral("01Z999"));
    EXPECT_FALSE(unknown->Get_Item_Account());
    EXPECT_EQ(unknown->ErrDesc(), msg::unknownItem(QStringLiteral("01Z999")));

    // A branch without preference rows leaves the defaults empty for the caller to report.
    auto elsewhere = inventory();
    elsewhere->setBranchPrefix(QStringLiteral("B2"));
    EXPECT_TRUE(elsewhere->Get_Item_Account()) << elsewhere->ErrDesc().toStdString();
    EXPECT_EQ(elsewhere->InventoryAccountNo(), QString());
    EXPECT_EQ(elsewhere->SalesAccountNo(), QString());

    // With every account on the item the defaults are not needed.
    database().execute(QStringLiteral("Update Item_Master Set Inventory_Account_No='a', COGS_Account_No='b', "
                                      "FOC_Account_No='c', Sales_Account_No='d', Cash_Sales_Account_No='e'"));
    EXPECT_TRUE(elsewhere->Get_Item_Account()) << elsewhere->ErrDesc().toStdString();
    EXPECT_EQ(elsewhere->CashSalesAccount(), QStringLiteral("e"));
}

TEST_F(Items, ItemTypeIsTheCodeOfTheItemMaster) {
    addItem(QStringLiteral("01S900"), QStringLiteral(" 1 "));
    auto object = createObject<Inventory>(ids::kInventory);
    object->setADOConnectionString(connectionString());
    object->setItemCode(QStringLiteral("01S900"));
    ASSERT_TRUE(object->Get_Item_Type()) << object->ErrDesc().toStdString();
    EXPECT_EQ(object->ItemType(), QStringLiteral("1"));
    object->setItemCode(QStringLiteral("S900"));
    EXPECT_FALSE(object->Get_Item_Type());
    EXPECT_EQ(object->ErrDesc(), msg::unknownItem(QStringLiteral("S900")));
}

class Stock : public Items {
protected:
    std::unique_ptr<ReduceStock> reduce(const QString &unit = QStringLiteral("Nos")) {
        auto object = service<ReduceStock>(ids::kReduceStock);
        object->setBranchPrefix(QStringLiteral("HO"));
        object->setItemCode(kBolt);
        object->setUnitName(unit);
        object->setUnitPrice(4);
        object->setLastUpdate(QStringLiteral("07/Mar/2026"));
        return object;
    }
    double sold(const QDate &lot) {
        return number(QStringLiteral("Select Sold_Qty from Purchase_Log Where Purchase_Log_Date = ?"),
                      {QDateTime(lot, QTime(0, 0))});
    }
};

TEST_F(Stock, GoodsLeaveAtMovingAverageCostInBaseUnits) {
    auto object = reduce(QStringLiteral("Box"));
    ASSERT_TRUE(object->ReduceStockInHand(2)) << object->ErrDesc().toStdString();
    EXPECT_EQ(object->ItemType(), 0);
    EXPECT_EQ(object->TotalQty(), 24);
    EXPECT_DOUBLE_EQ(object->SellingValue(), 60); // 24 x 250 / 100
    EXPECT_EQ(stockInHand(kBolt, QStringLiteral("HO")), 76);
    EXPECT_DOUBLE_EQ(stockAmount(kBolt, QStringLiteral("HO")), 190);

    // The last of the stock takes all of the remaining value.
    database().execute(QStringLiteral("Update Item_Master_Detail Set Stock_Amount = 200 Where Item_Code = ?"), {kBolt});
    auto rest = reduce();
    ASSERT_TRUE(rest->ReduceStockInHand(76)) << rest->ErrDesc().toStdString();
    EXPECT_DOUBLE_EQ(rest->SellingValue(), 200);
    EXPECT_EQ(stockAmount(kBolt, QStringLiteral("HO")), 0);
}

TEST_F(Stock, LotsAreDrawnOldestFirstAndNewestFirstForLifo) {
    addLot(kBolt, QStringLiteral("HO"), QDate(2026, 1, 1), 30, 60);
    addLot(kBolt, QStringLiteral("HO"), QDate(2026, 2, 1), 70, 190);
    ASSERT_TRUE(reduce()->ReduceStockInHand(40));
    EXPECT_EQ(sold(QDate(2026, 1, 1)), 30);
    EXPECT_EQ(sold(QDate(2026, 2, 1)), 10);
    // Goods put back return to the lot drawn on last.
    ASSERT_TRUE(reduce()->ReduceStockInHand(-5));
    EXPECT_EQ(sold(QDate(2026, 2, 1)), 5);
    EXPECT_EQ(stockInHand(kBolt, QStringLiteral("HO")), 65);

    database().execute(QStringLiteral("Update Item_Master Set Costing_Type = 'LIFO'"));
    ASSERT_TRUE(reduce()->ReduceStockInHand(20));
    EXPECT_EQ(sold(QDate(2026, 2, 1)), 25);
    EXPECT_EQ(sold(QDate(2026, 1, 1)), 30);
}

TEST_F(Stock, ItemsWithoutStockMoveNothingAndSayTheirType) {
    addItem(QStringLiteral("01S900"), QStringLiteral("1"));
    auto object = reduce();
    object->setItemCode(QStringLiteral("01S900"));
    ASSERT_TRUE(object->ReduceStockInHand(3)) << object->ErrDesc().toStdString();
    EXPECT_EQ(object->ItemType(), 1);
    EXPECT_EQ(object->TotalQty(), 3);
    EXPECT_EQ(object->SellingValue(), 0);
}

TEST_F(Stock, ReductionsThatCannotBeMadeWriteNothing) {
    struct Case {
        const char *name;
        std::function<void(ReduceStock &)> spoil;
        double quantity;
        QString message;
    };
    const Case cases[] = {
        {"more than in hand", [](ReduceStock &) {}, 101,
         msg::insufficientStock(kBolt, QStringLiteral("HO"), QStringLiteral("100"), QStringLiteral("101"))},
        {"unknown unit", [](ReduceStock &r) { r.setUnitName(QStringLiteral("Crate")); }, 1,
         msg::unknownUnit(kBolt, QStringLiteral("Crate"))},
        {"unknown item", [](ReduceStock &r) { r.setItemCode(kHostile); }, 1, msg::unknownItem(kHostile)},
        {"not kept in the branch", [](ReduceStock &r) { r.setBranchPrefix(QStringLiteral("B2")); }, 1,
         msg::itemNotInBranch(kBolt, QStringLiteral("B2"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto object = reduce();
        c.spoil(*object);
        EXPECT_FALSE(object->ReduceStockInHand(c.quantity));
        EXPECT_EQ(object->ErrDesc(), c.message);
        EXPECT_EQ(stockInHand(kBolt, QStringLiteral("HO")), 100);
        EXPECT_EQ(stockAmount(kBolt, QStringLiteral("HO")), 250);
    }
}

TEST_F(Stock, TheBranchMayAllowStockBelowNothing) {
    database().execute(QStringLiteral("Update Default_Inventory_Preferences Set Negative_Stock_Flag = 1"));
    auto object = reduce();
    ASSERT_TRUE(object->ReduceStockInHand(110)) << object->ErrDesc().toStdString();
    EXPECT_EQ(stockInHand(kBolt, QStringLiteral("HO")), -10);
    EXPECT_DOUBLE_EQ(object->SellingValue(), 275);
}

TEST_F(Stock, MovementRowsTakeOnlyTheSideOfTheirType) {
    auto movement = service<StockMovementService>(ids::kStockMovement);
    movement->setCompanyPrefix(QStringLiteral("01"));
    movement->setBranchPrefix(QStringLiteral("HO"));
    movement->setDocumentPrefix(QStringLiteral("SMV"));
    movement->setItemCode(kBolt);
    movement->setUnitName(QStringLiteral("Box"));
    movement->setUnitQty(12);
    movement->setDocumentNo(QStringLiteral("01HOCHM3"));
    movement->setDocumentType(QStringLiteral("OUT"));
    movement->setOutQty(24);
    movement->setOutAmount(60);
    movement->setOutPrice(2.5);
    movement->setStockComments(kHostile);
    double quantity = 24;
    ASSERT_TRUE(movement->StockMovement(quantity)) << movement->ErrDesc().toStdString();
    // The same object for a returned line: the out side of the line before is not taken again.
    movement->setDocumentType(QStringLiteral("in"));
    movement->setInQty(6);
    movement->setInAmount(15);
    quantity = 6;
    ASSERT_TRUE(movement->StockMovement(quantity)) << movement->ErrDesc().toStdString();

    const Connection::Result moved =
        connection().select(QStringLiteral("Select Document_Type, In_Qty, Out_Qty, Out_Amount, Base_Qty, "
                                           "Stock_Comments from Stock_Movement Order by Row_Id"));
    ASSERT_EQ(moved.rows.size(), 2);
    EXPECT_EQ(moved.rows[0], (QVariantList{QStringLiteral("OUT"), 0.0, 24.0, 60.0, 24.0, kHostile}));
    EXPECT_EQ(moved.rows[1].at(0).toString(), QStringLiteral("IN"));
    EXPECT_EQ(moved.rows[1].at(1).toDouble(), 6);
    EXPECT_EQ(moved.rows[1].at(2).toDouble(), 0);

    movement->setDocumentType(QStringLiteral("TRANSFER"));
    EXPECT_FALSE(movement->StockMovement(quantity));
    EXPECT_EQ(movement->ErrDesc(), msg::invalidMovementType(QStringLiteral("TRANSFER")));
    movement->setDocumentType(QStringLiteral("OUT"));
    EXPECT_EQ(rows(QStringLiteral("Stock_Movement")), 2);
    // A returned line leaves as a negative quantity.
    movement->setOutQty(-1);
    EXPECT_TRUE(movement->StockMovement(quantity)) << movement->ErrDesc().toStdString();
    EXPECT_EQ(rows(QStringLiteral("Stock_Movement")), 3);
}

TEST_F(Stock, LocationStockCountsBaseUnitsPerLocation) {
    auto location = service<LocationStock>(ids::kLocationStock);
    location->setBranchPrefix(QStringLiteral("HO"));
    location->setCompanyPrefix(QStringLiteral("01"));
    location->setItemCode(kBolt);
    location->setLocationCode(3);
    location->setLocationName(QStringLiteral("Yard"));
    location->setUnitName(QStringLiteral("Box"));
    location->setLocationQty(2);
    ASSERT_TRUE(location->UpdateLocationStock(LocationStock::kGoodsLeaving)) << location->ErrDesc().toStdString();
    location->setUnitName(QStringLiteral("Nos"));
    location->setLocationQty(5);
    ASSERT_TRUE(location->UpdateLocationStock(LocationStock::kGoodsComingBack));
    location->setLocationCode(4);
    ASSERT_TRUE(location->UpdateLocationStock(LocationStock::kGoodsComingBack));
    EXPECT_EQ(number(QStringLiteral("Select Location_Qty from Location_Stock Where Location_ID = 3")), -19);
    EXPECT_EQ(number(QStringLiteral("Select Location_Qty from Location_Stock Where Location_ID = 4")), 5);

    EXPECT_FALSE(location->UpdateLocationStock(2));
    EXPECT_EQ(location->ErrDesc(), msg::invalidLocationDirection(2));
    location->setUnitName(QStringLiteral("Crate"));
    EXPECT_FALSE(location->UpdateLocationStock(LocationStock::kGoodsLeaving));
    EXPECT_EQ(location->ErrDesc(), msg::unknownUnit(kBolt, QStringLiteral("Crate")));
    EXPECT_EQ(rows(QStringLiteral("Location_Stock")), 2);
}

} // namespace
} // namespace orbsales::testing
