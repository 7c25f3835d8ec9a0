#pragma once

#include "orbsales/grid/memory_grid.h"
#include "orbsales/orders/sales_quotation.h"
#include "services/test_values.h"
#include "support/test_database.h"

#include <QDateTime>
#include <memory>

namespace orbsales::testing {

// A quotation ready to save: prefixes 01/HO/SQT (counter at 1), home currency, amounts set, and
// a grid of 10 rows x 15 columns with whatever lines the test puts in.
class QuotationTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        database().execute(
            QStringLiteral("Insert into Document_Prefix (Document_Prefix, Company_Prefix, "
                           "Branch_Prefix, Document_Next_No, Manual_Flag) values ('SQT','01','HO',1,0)"));
        database().execute(QStringLiteral("Insert into Currency_Master (Currency_Code, Currency_Name, Currency_Symbol, "
                                          "Home_Currency_Flag) values ('AED','Dirham',' Dhs ',1), "
                                          "('USD','US Dollar','$',0)"));
        quotation = newQuotation(grid);
    }

    std::unique_ptr<SalesQuotation> newQuotation(LineGrid &lines) {
        auto q = std::make_unique<SalesQuotation>();
        assign(*q, "ADOConnectionString", connectionString(), "CompanyPrefix", "01", "BranchPrefix", "HO",
               "DocumentPrefix", "SQT", "CustomerCode", "C001", "CustomerName", "Acme Trading", "SalesQuotDate",
               QDateTime(QDate(2026, 12, 5), QTime(0, 0)), "SalesQuotValidDate",
               QDateTime(QDate(2026, 12, 31), QTime(0, 0)), "SalesQuotSubTotal", 100, "SalesQuotAmount", 95,
               "SalesQuotDiscAmount", 5, "CurrencyCode", "AED", "AllowCancelFlag", true, "LastUpdate",
               QDateTime(QDate(2026, 12, 5), QTime(9, 30)));
        q->setQuotationGrid(&lines);
        return q;
    }
    // A quotation that reads `number` into `shown`, with nothing else set.
    std::unique_ptr<SalesQuotation> reader(LineGrid &shown, const QString &number) {
        auto q = std::make_unique<SalesQuotation>();
        q->setADOConnectionString(connectionString());
        q->setQuotationGrid(&shown);
        q->setSalesQuotNo(number);
        return q;
    }

public:
    // {"", code, name, unit code, unit name, unit qty, qty, fc price, disc %, fc disc, fc amount,
    //  amount, disc amount, price, foc}
    static QStringList line(const QString &code, const QString &qty = QStringLiteral("2"),
                            const QString &price = QStringLiteral("10")) {
        return {QString(), code, "Item " + code, "1", "Nos", "1", qty, price, "0", "0", "20", "20", "0", price, "0"};
    }

protected:
    QString counter() { return rowOf(database(), "Document_Prefix", "Document_Next_No").value(0); }
    QList<QStringList> master(const QString &columns) {
        return rowsOf(database(), "Sales_Quotation_Master", columns, "Order by Sales_Quot_No");
    }
    QList<QStringList> lines(const QString &columns) {
        return rowsOf(database(), "Sales_Quotation_Detail", columns, "Order by Sales_Quot_No, SL_No");
    }

    MemoryGrid grid{10, 15};
    std::unique_ptr<SalesQuotation> quotation;
};

} // namespace orbsales::testing
