#pragma once

#include "orbsales/grid/memory_grid.h"
#include "orbsales/orders/sales_quotation.h"
#include "orbsales/data/schema.h"
#include "support/test_database.h"

#include <QDateTime>
#include <memory>

namespace orbsales::testing {

// A quotation ready to save: prefixes 01/HO/SQT, home currency, amounts set, and a grid of
// `rows` rows with whatever lines the test puts in.
class QuotationTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        database().execute(QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, "
                                          "Branch_Prefix, Document_Next_No, Manual_Flag) values ('SQT','01','HO',?,0)"),
                           {nextNo});
        database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Name, Currency_Symbol, "
                                          "Home_Currency_Flag) values ('AED','Dirham',' Dhs ',1)"));
        database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Name, Currency_Symbol, "
                                          "Home_Currency_Flag) values ('USD','US Dollar','$',0)"));
        grid = std::make_unique<MemoryGrid>(10, 15);
        quotation = newQuotation();
    }

    std::unique_ptr<SalesQuotation> newQuotation() {
        auto q = std::make_unique<SalesQuotation>();
        q->setADOConnectionString(connectionString());
        q->setCompanyPrefix(QStringLiteral("01"));
        q->setBranchPrefix(QStringLiteral("HO"));
        q->setDocumentPrefix(QStringLiteral("SQT"));
        q->setCustomerCode(QStringLiteral("C001"));
        q->setCustomerName(QStringLiteral("Acme Trading"));
        q->setSalesQuotDate(QDateTime(QDate(2026, 12, 5), QTime(0, 0)));
        q->setSalesQuotValidDate(QDateTime(QDate(2026, 12, 31), QTime(0, 0)));
        q->setSalesQuotSubTotal(100);
        q->setSalesQuotAmount(95);
        q->setSalesQuotDiscAmount(5);
        q->setCurrencyCode(QStringLiteral("AED"));
        q->setAllowCancelFlag(true);
        q->setLastUpdate(QDateTime(QDate(2026, 12, 5), QTime(9, 30)));
        q->setQuotationGrid(grid.get());
        return q;
    }

public:
    // {"", code, name, unit code, unit name, unit qty, qty, fc price, disc %, fc disc, fc amount,
    //  amount, disc amount, price, foc}
    static QStringList line(const QString &code, const QString &qty = QStringLiteral("2"),
                            const QString &price = QStringLiteral("10")) {
        return {QString(), code, QStringLiteral("Item ") + code, QStringLiteral("1"), QStringLiteral("Nos"),
                QStringLiteral("1"), qty, price, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("20"),
                QStringLiteral("20"), QStringLiteral("0"), price, QStringLiteral("0")};
    }

protected:
    int lineCount(const QString &number) {
        return database().count(QStringLiteral("Sales_Quotation_Detail"), QStringLiteral("Sales_Quot_No=?"), {number});
    }

    int nextNo = 1;
    std::unique_ptr<MemoryGrid> grid;
    std::unique_ptr<SalesQuotation> quotation;
};

} // namespace orbsales::testing
