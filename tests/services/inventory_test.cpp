#include "services/package_fixture.h"

#include "orbsales/services/inventory.h"
#include "orbsales/services/location_stock.h"
#include "orbsales/services/reduce_stock.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/services/stock_movement.h"

#include <functional>

namespace orbsales::testing {
namespace {

namespace ids = service_ids;

const QString kBolt = QStringLiteral("01A100");

class Items : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        if (!db)
            return;
        addItem(kBolt);
        addBranchItem(kBolt, "HO", 100, 250);
        addPreferences("HO");
    }

    std::unique_ptr<Inventory> inventory(const QString &item = kBolt) {
        auto object = service<Inventory>(ids::kInventory);
        assign(*object, "ItemCode", item, "CompanyPrefix", "01", "BranchPrefix", "HO");
        return object;
    }
    // The bolt's stock in hand and stock value in HO.
    QStringList stock() { return rowOf(database(), "Item_Master_Detail", "Stock_In_Hand, Stock_Amount", kBoltInHO); }
    double ordered() { return number(QStringLiteral("Select Ordered_Qty from Item_Master_Detail ") + kBoltInHO); }
    const QString kBoltInHO = QStringLiteral("Where Item_Code='01A100' and Branch_Prefix='HO'");
};

// A decrease below nothing is carried: an order converted in full is delivered before its
// own processing puts its quantities on order. Every change is kept, signed.
TEST_F(Items, OrderedQuantityGoesUpAndDownAndCarriesBelowNothing) {
    auto object = inventory();
    const struct {
        const char *direction;
        double quantity;
        double after;
    } steps[] = {{"Increase", 24, 24}, {"decrease", 10, 14}, {"Decrease", 20, -6}, {"Increase", 6, 0}};
    for (const auto &step : steps) {
        SCOPED_TRACE(step.direction);
        object->setItemQuantity(step.quantity);
        ASSERT_TRUE(object->Update_Item_OrderedQty(QString::fromLatin1(step.direction))) << object->ErrDesc().toStdString();
        EXPECT_EQ(ordered(), step.after);
    }
    EXPECT_EQ(rowsOf(database(), "Ordered_Qty_Movement", "Movement_Type, Quantity, Branch_Prefix, Item_Code",
                     "Order by Row_Id")
                  .value(2),
              (QStringList{"Decrease", "-20", "HO", kBolt}));
    EXPECT_EQ(rows("Ordered_Qty_Movement"), 4);
}

TEST_F(Items, OrderedQuantityRefusesWhatItCannotApply) {
    const struct {
        QString item, branch, direction;
        double quantity;
        const char *message;
    } cases[] = {
        {kBolt, "HO", "Raise", 1, "The ordered quantity is changed by \"Increase\" or \"Decrease\", not 'Raise'"},
        {kBolt, "HO", "Increase", -3, "ItemQuantity must not be negative (was -3)"},
        {"01Z999", "HO", "Increase", 1, "Item '01Z999' does not exist"},
        {kBolt, "B2", "Increase", 1, "Item '01A100' is not set up for branch 'B2'"},
    };
    for (const auto &c : cases) {
        auto object = inventory(c.item);
        object->setBranchPrefix(c.branch);
        object->setItemQuantity(c.quantity);
        EXPECT_FALSE(object->Update_Item_OrderedQty(c.direction));
        EXPECT_EQ(object->ErrDesc(), c.message);
    }
    EXPECT_EQ(ordered(), 0);
}

TEST_F(Items, AccountsComeFromTheBranchRowElseTheItemElseTheBranchDefaultsAndTheTypeFromTheItem) {
    database().execute("Update Item_Master_Detail Set Sales_Account_No = '01HO4001'");
    database().execute("Update Item_Master Set Sales_Account_No = '01HO4999', COGS_Account_No = '01HO5001'");
    auto object = inventory();
    ASSERT_TRUE(object->Get_Item_Account()) << object->ErrDesc().toStdString();
    EXPECT_EQ(QStringList({object->SalesAccountNo(), object->COGSAccountNo(), object->InventoryAccountNo(),
                           object->FOCAccountNo(), object->CashSalesAccount()}),
              (QStringList{"01HO4001", "01HO5001", "01HO1300", "01HO5100", "01HO4100"}));

    // A default the branch has no preference row for leaves that account empty: the document
    // that needs it says so in its own words, one that does not is not stopped.
    auto unknown = inventory("01Z999");
    EXPECT_FALSE(unknown->Get_Item_Account());
    EXPECT_EQ(unknown->ErrDesc(), "Item '01Z999' does not exist");
    database().execute("Update Item_Master Set COGS_Account_No='01B25001'");
    auto elsewhere = inventory();
    elsewhere->setBranchPrefix("B2");
    ASSERT_TRUE(elsewhere->Get_Item_Account()) << elsewhere->ErrDesc().toStdString();
    EXPECT_EQ(elsewhere->InventoryAccountNo(), QString());
    EXPECT_EQ(elsewhere->FOCAccountNo(), QString());
    EXPECT_EQ(elsewhere->COGSAccountNo(), "01B25001");

    // The item type is the item master's code, on a connection of its own.
    addItem("01S900", " 1 ");
    auto typed = createObject<Inventory>(ids::kInventory);
    typed->setADOConnectionString(connectionString());
    typed->setItemCode("01S900");
    ASSERT_TRUE(typed->Get_Item_Type()) << typed->ErrDesc().toStdString();
    EXPECT_EQ(typed->ItemType(), "1");
    typed->setItemCode("S900");
    EXPECT_FALSE(typed->Get_Item_Type());
    EXPECT_EQ(typed->ErrDesc(), "Item 'S900' does not exist");
}

class Stock : public Items {
protected:
    std::unique_ptr<ReduceStock> reduce(const QString &unit = "Nos") {
        auto object = service<ReduceStock>(ids::kReduceStock);
        assign(*object, "BranchPrefix", "HO", "ItemCode", kBolt, "UnitName", unit, "UnitPrice", 4, "LastUpdate",
               "07/Mar/2026");
        return object;
    }
    QList<QStringList> sold() { return rowsOf(database(), "Purchase_Log", "Sold_Qty", "Order by Purchase_Log_Date"); }
};

// A unit price given does not value goods in stock, and a rental period does not change how many
// units leave.
TEST_F(Stock, GoodsLeaveAtMovingAverageCostInBaseUnits) {
    auto object = reduce("Box");
    object->setUnitPrice(99);
    object->setPeriodType("Monthly");
    ASSERT_TRUE(object->ReduceStockInHand(2)) << object->ErrDesc().toStdString();
    EXPECT_EQ(object->ItemType(), 0);
    EXPECT_EQ(object->TotalQty(), 24);
    EXPECT_DOUBLE_EQ(object->SellingValue(), 60); // 24 x 250 / 100
    EXPECT_EQ(stock(), (QStringList{"76", "190"}));
    // The last of the stock takes all of the remaining value.
    database().execute("Update Item_Master_Detail Set Stock_Amount = 200");
    auto rest = reduce();
    ASSERT_TRUE(rest->ReduceStockInHand(76)) << rest->ErrDesc().toStdString();
    EXPECT_DOUBLE_EQ(rest->SellingValue(), 200);
    EXPECT_EQ(stock(), (QStringList{"0", "0"}));
}

TEST_F(Stock, LotsAreDrawnOldestFirstAndNewestFirstForLifo) {
    addLot(kBolt, "HO", QDate(2026, 1, 1), 30, 60);
    addLot(kBolt, "HO", QDate(2026, 2, 1), 70, 190);
    ASSERT_TRUE(reduce()->ReduceStockInHand(40));
    EXPECT_EQ(sold(), (QList<QStringList>{{"30"}, {"10"}}));
    // Goods put back return to the lot drawn on last.
    ASSERT_TRUE(reduce()->ReduceStockInHand(-5));
    EXPECT_EQ(sold(), (QList<QStringList>{{"30"}, {"5"}}));
    EXPECT_EQ(stock().value(0), "65");
    database().execute("Update Item_Master Set Costing_Type = 'LIFO'");
    database().execute("Update Purchase_Log Set Sold_Qty = 0");
    ASSERT_TRUE(reduce()->ReduceStockInHand(20));
    EXPECT_EQ(sold(), (QList<QStringList>{{"0"}, {"20"}}));
}

TEST_F(Stock, ItemsWithoutStockMoveNothingAndSayTheirType) {
    addItem("01S900", "1");
    auto object = reduce();
    object->setItemCode("01S900");
    ASSERT_TRUE(object->ReduceStockInHand(3)) << object->ErrDesc().toStdString();
    EXPECT_EQ(object->ItemType(), 1);
    EXPECT_EQ(object->TotalQty(), 3);
    EXPECT_EQ(object->SellingValue(), 12); // at the unit price of 4 given
    object->setUnitPrice(150);
    ASSERT_TRUE(object->ReduceStockInHand(-2)) << object->ErrDesc().toStdString();
    EXPECT_EQ(object->SellingValue(), -300);
    object->setUnitPrice(0);
    ASSERT_TRUE(object->ReduceStockInHand(3)) << object->ErrDesc().toStdString();
    EXPECT_EQ(object->SellingValue(), 0);
    // The branch may allow the stock to go below nothing.
    database().execute("Update Default_Inventory_Preferences Set Negative_Stock_Flag = 1");
    auto bolt = reduce();
    ASSERT_TRUE(bolt->ReduceStockInHand(110)) << bolt->ErrDesc().toStdString();
    EXPECT_EQ(stock().value(0), "-10");
    EXPECT_DOUBLE_EQ(bolt->SellingValue(), 275);
}

TEST_F(Stock, ReductionsThatCannotBeMadeWriteNothing) {
    const struct {
        std::function<void(ReduceStock &)> spoil;
        double quantity;
        QString message;
    } cases[] = {
        {[](ReduceStock &) {}, 101, "Not enough stock of '01A100' in branch 'HO': 100 in hand, 101 wanted"},
        {[](ReduceStock &r) { r.setUnitName("Crate"); }, 1, "Unit 'Crate' is not defined for item '01A100'"},
        {[](ReduceStock &r) { r.setItemCode(kHostile); }, 1, "Item '" + kHostile + "' does not exist"},
        {[](ReduceStock &r) { r.setBranchPrefix("B2"); }, 1, "Item '01A100' is not set up for branch 'B2'"},
        {[](ReduceStock &r) { r.setBranchPrefix(QString()); }, 1, "BranchPrefix is empty"},
    };
    for (const auto &c : cases) {
        auto object = reduce();
        c.spoil(*object);
        EXPECT_FALSE(object->ReduceStockInHand(c.quantity));
        EXPECT_EQ(object->ErrDesc(), c.message);
    }
    EXPECT_EQ(stock(), (QStringList{"100", "250"}));
}

TEST_F(Stock, MovementRowsTakeOnlyTheSideOfTheirType) {
    auto movement = service<StockMovementService>(ids::kStockMovement);
    assign(*movement, "CompanyPrefix", "01", "BranchPrefix", "HO", "DocumentPrefix", "SMV", "ItemCode", kBolt,
           "UnitName", "Box", "UnitQty", 12, "DocumentNo", "01HOCHM3", "DocumentType", "OUT", "OutQty", 24, "OutAmount",
           60, "OutPrice", 2.5, "StockComments", kHostile);
    double quantity = 24;
    ASSERT_TRUE(movement->StockMovement(quantity)) << movement->ErrDesc().toStdString();
    // The same object for a returned line: the out side of the line before is not taken again.
    assign(*movement, "DocumentType", "in", "InQty", 6, "InAmount", 15);
    quantity = 6;
    ASSERT_TRUE(movement->StockMovement(quantity)) << movement->ErrDesc().toStdString();
    movement->setDocumentType("TRANSFER");
    EXPECT_FALSE(movement->StockMovement(quantity));
    EXPECT_EQ(movement->ErrDesc(), "DocumentType must be \"IN\" or \"OUT\", not 'TRANSFER'");
    // A returned line leaves as a negative quantity.
    movement->setDocumentType("OUT");
    movement->setOutQty(-1);
    EXPECT_TRUE(movement->StockMovement(quantity)) << movement->ErrDesc().toStdString();
    EXPECT_EQ(rowsOf(database(), "Stock_Movement",
                     "Document_Type, In_Qty, Out_Qty, Out_Amount, Base_Qty, Stock_Comments", "Order by Row_Id"),
              (QList<QStringList>{{"OUT", "0", "24", "60", "24", kHostile},
                                  {"IN", "6", "0", "0", "6", kHostile},
                                  {"OUT", "0", "-1", "60", "6", kHostile}}));
}

TEST_F(Stock, LocationStockCountsBaseUnitsPerLocation) {
    auto location = service<LocationStock>(ids::kLocationStock);
    assign(*location, "BranchPrefix", "HO", "CompanyPrefix", "01", "ItemCode", kBolt, "LocationCode", 3, "LocationName",
           "Yard", "UnitName", "Box", "LocationQty", 2);
    ASSERT_TRUE(location->UpdateLocationStock(LocationStock::kGoodsLeaving)) << location->ErrDesc().toStdString();
    location->setUnitName("Nos");
    location->setLocationQty(5);
    ASSERT_TRUE(location->UpdateLocationStock(LocationStock::kGoodsComingBack));
    location->setLocationCode(4);
    ASSERT_TRUE(location->UpdateLocationStock(LocationStock::kGoodsComingBack));
    EXPECT_FALSE(location->UpdateLocationStock(2));
    EXPECT_EQ(location->ErrDesc(), "UpdateLocationStock takes 1 (goods leaving) or 0 (goods coming back), not 2");
    location->setUnitName("Crate");
    EXPECT_FALSE(location->UpdateLocationStock(LocationStock::kGoodsLeaving));
    EXPECT_EQ(location->ErrDesc(), "Unit 'Crate' is not defined for item '01A100'");
    EXPECT_EQ(rowsOf(database(), "Location_Stock", "Location_ID, Location_Qty", "Order by Location_ID"),
              (QList<QStringList>{{"3", "-19"}, {"4", "5"}}));
}

} // namespace
} // namespace orbsales::testing
