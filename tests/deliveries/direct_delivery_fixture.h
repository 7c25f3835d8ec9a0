#pragma once

#include "deliveries/delivery_fixture.h"

namespace orbsales::testing {

// {"", code, name, unit code, unit-period, unit qty, qty, FC price, disc %, FC disc, FC amount,
//  amount, disc, price, location, project, project short, location id, FOC}
inline QStringList directLine(const QString &code, const QString &qty, const QString &amount, const QString &unit = QStringLiteral("Nos"),
                 const QString &foc = QStringLiteral("0")) {
    return {QString(),           code,                 QStringLiteral("Item ") + code,
            QStringLiteral("1"), unit,                 QStringLiteral("1"),
            qty,                 QStringLiteral("10"), QStringLiteral("0"),
            QStringLiteral("0"), amount,               amount,
            QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("Main Warehouse"),
            QString(),           QString(),            QStringLiteral("1"),
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
        d->setADOConnectionString(connectionString());
        d->setCompanyPrefix(QStringLiteral("01"));
        d->setBranchPrefix(QStringLiteral("HO"));
        d->setDocumentPrefix(QStringLiteral("DDL"));
        d->setStockMovementPrefix(QStringLiteral("DDL"));
        d->setCustomerCode(QStringLiteral("01C002"));
        d->setCustomerName(QStringLiteral("Gulf Builders Co."));
        d->setPaymentType(QStringLiteral("Credit"));
        d->setCurrencyCode(QStringLiteral("AED"));
        d->setDirectDeliveryDate(day());
        d->setDirectDeliverySubtotal(600);
        d->setDirectDeliveryTotalAmount(600);
        d->setDirectDeliveryFCTotalAmount(600);
        d->setAmtDig(2);
        d->setLastUpdate(stamp());
        d->setDeliveryGridName(&lines);
        return d;
    }
    MemoryGrid lines{8, 19};
    std::unique_ptr<DirectDelivery> direct;
};

} // namespace orbsales::testing
