#include "support/quotation_creator.h"

#include "orbsales/frame/registry.h"
#include "orbsales/grid/memory_grid.h"

#include <QDateTime>
#include <QVariant>
#include <cstdio>

namespace orbsales::testing {

int createQuotations(const QString &connectionString, int count) {
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<QObject> quotation = Registry::instance().create(QStringLiteral("OrbSales.SalesQuotation"));
        MemoryGrid grid(6, 15);
        for (int row = 1; row <= 3; ++row)
            grid.setRow(row, {QString(), QStringLiteral("P%1").arg(row), QStringLiteral("Part"), QStringLiteral("1"),
                              QStringLiteral("Nos"), QStringLiteral("1"), QStringLiteral("2")});
        const QList<std::pair<const char *, QVariant>> values = {
            {"ADOConnectionString", connectionString}, {"CompanyPrefix", QStringLiteral("01")},
            {"BranchPrefix", QStringLiteral("HO")},    {"DocumentPrefix", QStringLiteral("SQT")},
            {"SalesQuotSubTotal", 10.0},               {"SalesQuotAmount", 10.0},
            {"CurrencyCode", QStringLiteral("AED")},   {"LastUpdate", QDateTime::currentDateTime()},
            {"QuotationGrid", QVariant::fromValue(static_cast<LineGrid *>(&grid))}};
        for (const auto &[name, value] : values)
            quotation->setProperty(name, value);
        bool created = false;
        QMetaObject::invokeMethod(quotation.get(), "Create_Quotation", Qt::DirectConnection, Q_RETURN_ARG(bool, created));
        if (!created) {
            ++failures;
            std::fprintf(stderr, "%s\n", qPrintable(quotation->property("ErrDesc").toString()));
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace orbsales::testing
