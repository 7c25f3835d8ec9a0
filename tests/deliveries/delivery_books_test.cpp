#include "deliveries/direct_delivery_fixture.h"

#include "orbsales/services/package/books.h"
#include "orbsales/values/numbers.h"

namespace orbsales::testing {
namespace {

// On the demo company: 6 of an order's 10 widgets delivered online (01HODEL2, cost 45), 4 of a
// cash memo's 10 cable reels delivered offline (01HODEL4, no stock moved yet) and a gadget
// delivered directly (01HODDL2, cost 24). Then one row at a time is changed behind the
// package's back, and verify names what no longer agrees.
class DeliveryBooks : public DirectDeliveryTest {
protected:
    void SetUp() override {
        DirectDeliveryTest::SetUp();
        if (!db)
            return;
        addOrder("01HOSOR1", {{"A100", 10, 12.5}});
        addCashMemo("01HOCHM1", {{"C300", 10, 2.75}});
        deliver("01HOSOR1", "SalesOrder", 6, true);
        deliver("01HOCHM1", "CashMemo", 4, false);

        lines.setRow(1, directLine("A200", "1", "40"));
        assign(*direct, "DirectDeliverySubtotal", 40, "DirectDeliveryTotalAmount", 40, "DirectDeliveryFCTotalAmount", 0,
               "OnlineFlag", true);
        ASSERT_TRUE(direct->Create_Direct_Delivery()) << direct->ErrDesc().toStdString();
        ASSERT_TRUE(direct->Process_Direct_Delivery()) << direct->ErrDesc().toStdString();
        ASSERT_EQ(direct->DirectDeliveryNo(), "01HODDL2");
    }

    void deliver(const QString &source, const QString &kind, double quantity, bool online) {
        MemoryGrid cells(4, 23);
        auto delivery = newDelivery(source);
        delivery->setDeliveryGridName(&cells);
        const bool order = kind == "SalesOrder";
        ASSERT_TRUE(order ? delivery->Get_Order_Details() : delivery->Get_CashMemo_Details());
        tickAll(cells);
        cells.setCellText(1, 7, numbers::numberText(quantity));
        ASSERT_TRUE(delivery->Create_Delivery()) << delivery->ErrDesc().toStdString();
        delivery->setOnlineFlag(online);
        QString from = kind;
        ASSERT_TRUE(delivery->Process_Delivery(from)) << delivery->ErrDesc().toStdString();
    }
};

TEST_F(DeliveryBooks, EachCheckNamesTheRowThatNoLongerAgrees) {
    ASSERT_EQ(package::verifyBooks(database().connection()), QStringList());
    struct Case {
        const char *name;
        QString tamper;
        QStringList breaches;
    };
    const Case cases[] = {
        {"stock value",
         "Update Item_Master_Detail Set Stock_Amount = 700 Where Item_Code = '01A100' "
         "and Branch_Prefix = 'HO'",
         {"Item 01A100, branch HO: stock value 700, opening value plus movements 705"}},
        {"movement amount",
         "Update Stock_Movement Set Out_Amount = 40 Where Document_No = '01HODEL2'",
         {"Item 01A100, branch HO: stock value 705, opening value plus movements 710",
          "Delivery 01HODEL2: inventory value of its stock lines 45, stock movements 40"}},
        {"location stock",
         "Update Location_Stock Set Location_Qty = 93 Where Item_Code = '01A100' and "
         "Branch_Prefix = 'HO'",
         {"Item 01A100, branch HO, location 1: location stock 93, opening quantity plus movements 94"}},
        {"movement at another location",
         "Update Stock_Movement Set Location_ID = 5 Where Document_No = '01HODEL2'",
         {"Item 01A100, branch HO, location 1: location stock 94, opening quantity plus movements 100",
          "Item 01A100, branch HO, location 5 has stock movements but no location stock row: location "
          "stock 0, movements -6"}},
        {"ordered quantity",
         "Update Item_Master_Detail Set Ordered_Qty = 0 Where Item_Code = '01A100' "
         "and Branch_Prefix = 'HO'",
         {"Item 01A100, branch HO: ordered quantity 0, ordered quantity movements -6"}},
        {"order line delivered",
         "Update Sales_Order_Detail Set Sales_Ord_Delivered_Qty = 5",
         {"Sales order 01HOSOR1, line 1 (01A100): delivered quantity 5, processed deliveries 6"}},
        {"cash memo line below its deliveries",
         "Update Cash_Memo_Detail Set Cash_Memo_Delivered_Qty = 3",
         {"Cash memo 01HOCHM1, line 1 (01C300): delivered quantity 3, processed deliveries 4"}},
        {"cash memo line beyond what it sold",
         "Update Cash_Memo_Detail Set Cash_Memo_Delivered_Qty = 15",
         {"Cash memo 01HOCHM1, line 1 (01C300): delivered quantity 15, quantity sold plus processed "
          "deliveries 14"}},
        {"delivery line value",
         "Update Delivery_Detail Set Inventory_Value = 50 Where Item_Code = "
         "'01A100'",
         {"Delivery 01HODEL2: inventory value of its stock lines 50, stock movements 45"}},
        {"direct delivery line value",
         "Update Direct_Delivery_Detail Set Inventory_Value = 1",
         {"Direct delivery 01HODDL2: inventory value of its stock lines 1, stock movements 24"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        database().connection().beginTransaction();
        database().execute(c.tamper);
        EXPECT_EQ(package::verifyBooks(database().connection()), c.breaches);
        database().connection().rollback();
    }

    // A processed delivery's cost lines no longer balancing is named with the document.
    database().execute("Update General_Ledger Set GL_Debit_Amount = 40 Where Document_No = '01HODEL2' "
                       "and Account_No = '01HO5000'");
    EXPECT_TRUE(package::verifyBooks(database().connection())
                    .contains("Document 01HODEL2 does not balance in the home currency: debits 40, "
                              "credits 45"));
}

} // namespace
} // namespace orbsales::testing
