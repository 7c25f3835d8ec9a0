#pragma once

#include "orbsales/data/schema.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/orders/sales_order.h"
#include "orbsales/orders/sales_quotation.h"
#include "support/test_database.h"

#include <QDateTime>
#include <memory>

namespace orbsales::testing {

// An order ready to save on the caller's open connection: prefixes 01/HO/SOR, a credit
// customer, and a grid of 10 rows x 18 columns.
class OrderTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        database().execute(QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, "
                                          "Branch_Prefix, Document_Next_No) values ('SOR','01','HO',1), "
                                          "('SQT','01','HO',1)"));
        database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Symbol) "
                                          "values ('AED','Dhs'), ('USD','$')"));
        caller = std::make_unique<Connection>();
        caller->open(connectionString());
        grid = std::make_unique<MemoryGrid>(10, 18);
        order = newOrder();
    }
    void TearDown() override {
        order.reset();
        caller.reset();
        DatabaseTest::TearDown();
    }

    std::unique_ptr<SalesOrder> newOrder() {
        auto o = std::make_unique<SalesOrder>();
        o->setAdoConnectionObject(caller.get());
        o->setADOConnectionString(connectionString());
        o->setCompanyPrefix(QStringLiteral("01"));
        o->setBranchPrefix(QStringLiteral("HO"));
        o->setDocumentPrefix(QStringLiteral("SOR"));
        o->setCustomerCode(QStringLiteral("C001"));
        o->setCustomerName(QStringLiteral("Acme Trading"));
        o->setPaymentType(QStringLiteral("Credit"));
        o->setPaymentTerms(QStringLiteral("30 days"));
        o->setSalesOrdDate(QDateTime(QDate(2026, 12, 5), QTime(0, 0)));
        o->setSalesOrdSubTotal(600);
        o->setSalesOrdTotalAmount(600);
        o->setCurrencyCode(QStringLiteral("AED"));
        o->setAllowCancelFlag(true);
        o->setAmtDig(2);
        o->setLastUpdate(QDateTime(QDate(2026, 12, 5), QTime(10, 0)));
        o->setOrderGridName(grid.get());
        return o;
    }

public:
    // {"", code, name, unit code, unit-period, unit qty, qty, fc price, disc %, fc disc, fc amount,
    //  amount, disc, project short, quotation serial, price, project, foc}
    static QStringList line(const QString &code, const QString &qty = QStringLiteral("2"),
                            const QString &amount = QStringLiteral("20"), const QString &unit = QStringLiteral("Nos")) {
        return {QString(),          code,    QStringLiteral("Item ") + code, QStringLiteral("1"), unit,
                QStringLiteral("1"), qty,     QStringLiteral("10"),           QStringLiteral("0"), QStringLiteral("0"),
                amount,             amount,  QStringLiteral("0"),            QString(),           QStringLiteral("0"),
                QStringLiteral("10"), QString(), QStringLiteral("0")};
    }

protected:
    QVariant masterValue(const QString &column, const QString &number) {
        return database().scalar(QStringLiteral("Select %1 from Sales_Order_Master Where Sales_Ord_No=?").arg(column),
                                 {number});
    }
    int lineCount(const QString &number) {
        return database().count(QStringLiteral("Sales_Order_Detail"), QStringLiteral("Sales_Ord_No=?"), {number});
    }

    std::unique_ptr<Connection> caller;
    std::unique_ptr<MemoryGrid> grid;
    std::unique_ptr<SalesOrder> order;
};

} // namespace orbsales::testing
