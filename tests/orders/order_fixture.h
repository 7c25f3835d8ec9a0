#pragma once

#include "orbsales/grid/memory_grid.h"
#include "orbsales/orders/sales_order.h"
#include "orbsales/orders/sales_quotation.h"
#include "services/test_values.h"
#include "support/test_database.h"

#include <QDateTime>
#include <memory>

namespace orbsales::testing {

// An order ready to save on the caller's open connection: prefixes 01/HO/SOR, a credit
// customer, and a grid of 10 rows x 18 columns. The inventory knows A100 sold in boxes of 12
// with base factor 2 in HO, and B200 with no unit row (its factors count as 1).
class OrderTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        for (const char *sql :
             {"Insert into Document_Prefix (Document_Prefix, Company_Prefix, Branch_Prefix, Document_Next_No) "
              "values ('SOR','01','HO',1), ('SQT','01','HO',1)",
              "Insert into Currency_Master (Currency_Code, Currency_Symbol) values ('AED','Dhs'), ('USD','$')",
              "Insert into Item_Master (Item_Code, Item_Name) values ('01A100','Widget'), ('01B200','Gadget')",
              "Insert into Item_Detail (Item_Code, Unit_Name, Unit_Qty) values ('01A100','Box',12)",
              "Insert into Item_Master_Detail (Item_Code, Branch_Prefix, Base_Qty, Ordered_Qty) values "
              "('01A100','HO',2,0), ('01B200','HO',1,0)"})
            database().execute(QString::fromLatin1(sql));
        caller.open(connectionString());
        order = newOrder(grid);
    }
    void TearDown() override {
        order.reset();
        caller.close(); // before the database goes
        DatabaseTest::TearDown();
    }

    std::unique_ptr<SalesOrder> newOrder(LineGrid &lines) {
        auto o = std::make_unique<SalesOrder>();
        o->setAdoConnectionObject(&caller);
        o->setOrderGridName(&lines);
        assign(*o, "ADOConnectionString", connectionString(), "CompanyPrefix", "01", "BranchPrefix", "HO",
               "DocumentPrefix", "SOR", "CustomerCode", "C001", "CustomerName", "Acme Trading", "PaymentType", "Credit",
               "PaymentTerms", "30 days", "SalesOrdDate", QDateTime(QDate(2026, 12, 5), QTime(0, 0)),
               "SalesOrdSubTotal", 600, "SalesOrdTotalAmount", 600, "CurrencyCode", "AED", "AllowCancelFlag", true,
               "AmtDig", 2, "LastUpdate", QDateTime(QDate(2026, 12, 5), QTime(10, 0)));
        return o;
    }
    // Saves an order (the fixture's unless told) with 3 boxes of A100 and 5 of B200 under its
    // temporary number.
    QString createdOrder(SalesOrder *o = nullptr) {
        o = o ? o : order.get();
        grid.setRow(1, line("A100", "3", "20", "Box"));
        grid.setRow(2, line("B200", "5"));
        EXPECT_TRUE(o->Create_Order()) << o->ErrDesc().toStdString();
        return o->SalesOrdNo();
    }

    // An open quotation 01HOSQT1 for an order to be raised from.
    void addQuotation() {
        database().execute(QStringLiteral("Insert into Sales_Quotation_Master (Sales_Quot_No, Sales_Quot_SubTotal, "
                                          "Sales_Quot_Disc_Percent, Sales_Quot_Disc_Amount, Sales_Quot_Amount, "
                                          "Sales_Quot_FC_SubTotal, Sales_Quot_FC_Disc_Amount, Sales_Quot_FC_Amount, "
                                          "Allow_Cancel_Flag, process_Flag) values ('01HOSQT1',1,0,0,1,1,0,1,1,0)"));
    }

public:
    // {"", code, name, unit code, unit-period, unit qty, qty, fc price, disc %, fc disc, fc amount,
    //  amount, disc, project short, quotation serial, price, project, foc}
    static QStringList line(const QString &code, const QString &qty = QStringLiteral("2"),
                            const QString &amount = QStringLiteral("20"), const QString &unit = QStringLiteral("Nos")) {
        return {QString(), code,   "Item " + code, "1", unit,      "1", qty,  "10",      "0",
                "0",       amount, amount,         "0", QString(), "0", "10", QString(), "0"};
    }

protected:
    QStringList masterRow(const QString &columns, const QString &number) {
        return rowOf(database(), "Sales_Order_Master", columns, "Where Sales_Ord_No=?", {number});
    }
    int lineCount(const QString &number) { return database().count("Sales_Order_Detail", "Sales_Ord_No=?", {number}); }
    QString counter() {
        return rowOf(database(), "Document_Prefix", "Document_Next_No", "Where Document_Prefix='SOR'").value(0);
    }
    // The ordered quantities of A100 and B200 in HO.
    QList<QStringList> ordered() {
        return rowsOf(database(), "Item_Master_Detail", "Ordered_Qty", "Order by Item_Code");
    }

    Connection caller;
    MemoryGrid grid{10, 18};
    std::unique_ptr<SalesOrder> order;
};

} // namespace orbsales::testing
