#pragma once

#include "deliveries/delivery_fixture.h"

namespace orbsales::testing {

// {"", code, name, unit code, unit-period, unit qty, qty, FC price, disc %, FC disc, FC amount,
//  amount, disc, price, location, project, project short, location id, FOC}
inline QStringList directLine(const QString &code, const QString &qty, const QString &amount,
                              const QString &unit = "Nos", const QString &foc = "0") {
    return {QString(), code,      QStringLiteral("Item ") + code,
            "1",       unit,      "1",
            qty,       "10",      "0",
            "0",       amount,    amount,
            "0",       "10",      "Main Warehouse",
            QString(), QString(), "1",
            foc};
}

class DirectDeliveryTest : public DeliveryTest {
protected:
    void SetUp() override {
        DeliveryTest::SetUp();
        if (!db)
            return;
        direct = newDirect();
    }
    std::unique_ptr<DirectDelivery> newDirect() {
        auto d = std::make_unique<DirectDelivery>();
        d->setAdoDBConnectionObject(caller.get());
        d->setDeliveryGridName(&lines);
        assign(*d, "ADOConnectionString", connectionString(), "CompanyPrefix", "01", "BranchPrefix", "HO",
               "DocumentPrefix", "DDL", "StockMovementPrefix", "DDL", "CustomerCode", "01C002", "CustomerName",
               "Gulf Builders Co.", "PaymentType", "Credit", "CurrencyCode", "AED", "DirectDeliveryDate", day(),
               "DirectDeliverySubtotal", 600, "DirectDeliveryTotalAmount", 600, "DirectDeliveryFCTotalAmount", 600,
               "AmtDig", 2, "LastUpdate", stamp());
        return d;
    }
    MemoryGrid lines{8, 19};
    std::unique_ptr<DirectDelivery> direct;
};

} // namespace orbsales::testing
