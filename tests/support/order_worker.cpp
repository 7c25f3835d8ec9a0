#include "support/order_worker.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/orders/sales_order.h"
#include "orbsales/orders/sales_quotation.h"

#include <QDateTime>
#include <cstdio>

namespace orbsales::testing {

namespace {

const char *const kItems[] = {"A100", "A200", "C300"};

void fillOrder(SalesOrder &order, Connection &caller, const QString &connectionString, MemoryGrid &grid) {
    for (int row = 1; row <= 3; ++row) {
        const QString code = QString::fromLatin1(kItems[row - 1]);
        grid.setRow(row, {QString(), code, QStringLiteral("Item"), QStringLiteral("1"),
                          code == QLatin1String("C300") ? QStringLiteral("Mtr") : QStringLiteral("Nos"),
                          QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("0"),
                          QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("20"), QStringLiteral("0"), QString(),
                          QStringLiteral("0"), QStringLiteral("10"), QString(), QStringLiteral("0")});
    }
    order.setAdoConnectionObject(&caller);
    order.setADOConnectionString(connectionString);
    order.setCompanyPrefix(QStringLiteral("01"));
    order.setBranchPrefix(QStringLiteral("HO"));
    order.setDocumentPrefix(QStringLiteral("SOR"));
    order.setCustomerCode(QStringLiteral("01C001"));
    order.setCustomerName(QStringLiteral("Acme Trading LLC"));
    order.setPaymentType(QStringLiteral("Credit"));
    order.setSalesOrdSubTotal(60);
    order.setSalesOrdTotalAmount(60);
    order.setCurrencyCode(QStringLiteral("AED"));
    order.setAllowCancelFlag(true);
    order.setAmtDig(2);
    order.setLastUpdate(QDateTime::currentDateTime());
    order.setOrderGridName(&grid);
}

bool report(bool done, const BusinessObject &object, const char *operation) {
    if (!done)
        std::fprintf(stderr, "%s: %s\n", operation, qPrintable(object.property("ErrDesc").toString()));
    return done;
}

} // namespace

bool quotationToProcessedOrder(Connection &caller, const QString &connectionString, bool atomic) {
    SalesQuotation quotation;
    MemoryGrid quotationGrid(6, 15);
    for (int row = 1; row <= 3; ++row)
        quotationGrid.setRow(row, {QString(), QString::fromLatin1(kItems[row - 1]), QStringLiteral("Item"),
                                   QStringLiteral("1"), QStringLiteral("Nos"), QStringLiteral("1"), QStringLiteral("2")});
    quotation.setAtomicFlag(atomic);
    quotation.setADOConnectionString(connectionString);
    quotation.setCompanyPrefix(QStringLiteral("01"));
    quotation.setBranchPrefix(QStringLiteral("HO"));
    quotation.setDocumentPrefix(QStringLiteral("SQT"));
    quotation.setCustomerCode(QStringLiteral("01C001"));
    quotation.setSalesQuotSubTotal(60);
    quotation.setSalesQuotAmount(60);
    quotation.setCurrencyCode(QStringLiteral("AED"));
    quotation.setAllowCancelFlag(true);
    quotation.setLastUpdate(QDateTime::currentDateTime());
    quotation.setQuotationGrid(&quotationGrid);
    if (!report(quotation.Create_Quotation(), quotation, "Create_Quotation"))
        return false;

    SalesOrder order;
    MemoryGrid grid(10, 18);
    fillOrder(order, caller, connectionString, grid);
    order.setAtomicFlag(atomic);
    order.setSalesQuotNo(quotation.SalesQuotNo());
    return report(order.Create_Order(), order, "Create_Order") && report(order.Process_Order(), order, "Process_Order");
}

int createAndProcessOrders(const QString &connectionString, int count) {
    Connection caller;
    caller.open(connectionString);
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        SalesOrder order;
        MemoryGrid grid(10, 18);
        fillOrder(order, caller, connectionString, grid);
        if (!report(order.Create_Order(), order, "Create_Order") || !report(order.Process_Order(), order, "Process_Order"))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}

int workUntilKilled(const QString &connectionString, bool atomic) {
    Connection caller;
    caller.open(connectionString);
    for (;;) {
        if (!quotationToProcessedOrder(caller, connectionString, atomic))
            return 1;
        std::printf("done\n");
        std::fflush(stdout);
    }
}

} // namespace orbsales::testing
