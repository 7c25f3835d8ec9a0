#include "demo.h"
#include "demo_steps.h"
#include "front_end.h"
#include "sample_quotation.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"

#include <QDateTime>
#include <functional>

// The quotation's part of the demonstration: create two, reload one, change it, show what the
// validation answers, and cancel the other.
namespace orbsales::cli {

namespace {

const QString kQuotation = QStringLiteral("OrbSales.SalesQuotation");

const QStringList kHeaderFields{
    QStringLiteral("SalesQuotNo"),         QStringLiteral("SalesQuotIdentity"), QStringLiteral("CustomerCode"),
    QStringLiteral("CustomerName"),        QStringLiteral("SalesQuotDate"),     QStringLiteral("SalesQuotValidDate"),
    QStringLiteral("SalesQuotRefNo"),      QStringLiteral("CurrencyCode"),      QStringLiteral("CurrencySymbol"),
    QStringLiteral("ExchangeRate"),        QStringLiteral("SalesQuotSubTotal"), QStringLiteral("SalesQuotDiscPercent"),
    QStringLiteral("SalesQuotDiscAmount"), QStringLiteral("SalesQuotAmount"),   QStringLiteral("SalesQuotFCAmount"),
    QStringLiteral("AllowCancelFlag"),     QStringLiteral("CancelFlag"),        QStringLiteral("ProcessFlag"),
};

std::unique_ptr<MemoryGrid> newGrid(int rows) {
    auto grid = std::make_unique<MemoryGrid>(rows, kQuotationGridColumns);
    writeQuotationCaptions(*grid);
    return grid;
}

std::unique_ptr<FrontEndObject> newQuotation(const DemoContext &context) {
    auto quotation = std::make_unique<FrontEndObject>(kQuotation);
    quotation->set("ADOConnectionString", context.db);
    return quotation;
}

void showQuotation(DemoContext &context, const FrontEndObject &quotation, const LineGrid &grid) {
    printFields(context.out, quotation.object(), kHeaderFields);
    context.out << "\n  QuotationGrid:\n";
    printGrid(context.out, grid);
    context.out << '\n';
}

// Loads a quotation into a new object and a grid of `rows` rows, as a screen opening it does.
void reloadAndShow(DemoContext &context, const QString &number, int rows, const QString &what) {
    auto grid = newGrid(rows);
    auto loaded = newQuotation(context);
    loaded->set("SalesQuotNo", number);
    loaded->setGrid("QuotationGrid", grid.get());
    demoRequire(context, *loaded, "Get_Quotation", what);
    showQuotation(context, *loaded, *grid);
}

int quotationCount(DemoContext &context, const QString &where = {}) {
    return context.connection
        .scalar(QStringLiteral("Select count(*) from Sales_Quotation_Master") +
                (where.isEmpty() ? QString() : QStringLiteral(" Where ") + where))
        .toInt();
}

SampleQuotation homeCurrencySample() {
    SampleQuotation sample;
    sample.customerCode = QStringLiteral("C001");
    sample.customerName = QStringLiteral("Acme Trading LLC");
    sample.discountPercent = 5;
    sample.reference = QStringLiteral("RFQ-1042");
    sample.comments = QStringLiteral("Delivery within two weeks of the order");
    sample.lines = {{QStringLiteral("A100"), 4}, {QStringLiteral("A200"), 2, 10}, {QStringLiteral("S100"), 1.5}};
    return sample;
}

SampleQuotation foreignCurrencySample() {
    SampleQuotation sample;
    sample.customerCode = QStringLiteral("C003");
    sample.customerName = QStringLiteral("Harbour Imports Inc.");
    sample.currency = QStringLiteral("USD");
    sample.reference = QStringLiteral("HI/PO/77");
    sample.lines = {{QStringLiteral("B100"), 10}, {QStringLiteral("C300"), 250, 5}};
    return sample;
}

struct ValidationAttempt {
    const char *what;
    const char *operation;
    std::function<void(FrontEndObject &, MemoryGrid &)> spoil;
};

void showValidation(DemoContext &context) {
    const std::vector<ValidationAttempt> attempts{
        {"no company prefix", "Create_Quotation",
         [](FrontEndObject &q, MemoryGrid &) { q.set("CompanyPrefix", QString()); }},
        {"sub total of 0", "Create_Quotation",
         [](FrontEndObject &q, MemoryGrid &) { q.set("SalesQuotSubTotal", 0.0); }},
        {"foreign currency without its sub total", "Create_Quotation",
         [](FrontEndObject &q, MemoryGrid &) {
             q.set("ForeignCurrencyFlag", true);
             q.set("SalesQuotFCSubTotal", 0.0);
         }},
        {"no currency", "Create_Quotation", [](FrontEndObject &q, MemoryGrid &) { q.set("CurrencyCode", QString()); }},
        {"first grid row empty", "Create_Quotation",
         [](FrontEndObject &, MemoryGrid &grid) {
             grid.setCellText(1, 1, QString());
             grid.setCellText(1, 2, QString());
         }},
        {"a number that was never given", "Get_Quotation",
         [](FrontEndObject &q, MemoryGrid &) { q.set("SalesQuotNo", QStringLiteral("01HOSQT999999")); }},
    };
    context.out << "Each operation checks its input in a fixed order; the first check that fails answers with its "
                   "message in ErrDesc and nothing is written.\n\n";
    const int before = quotationCount(context);
    QList<QStringList> rows;
    for (const ValidationAttempt &attempt : attempts) {
        auto grid = newGrid(8);
        auto quotation = newQuotation(context);
        fillQuotation(*quotation, *grid, homeCurrencySample());
        attempt.spoil(*quotation, *grid);
        const bool result = quotation->call(attempt.operation);
        rows << QStringList{QString::fromLatin1(attempt.what), QString::fromLatin1(attempt.operation),
                            result ? QStringLiteral("True") : QStringLiteral("False"),
                            QLatin1Char('"') + quotation->errDesc() + QLatin1Char('"')};
    }
    printTable(
        context.out,
        {QStringLiteral("Attempt"), QStringLiteral("Operation"), QStringLiteral("Result"), QStringLiteral("ErrDesc")},
        rows);
    context.out << "\n  Quotations in the database before these attempts: " << before
                << ", after: " << quotationCount(context) << "\n\n";
}

} // namespace

QString createQuotation(DemoContext &context, const SampleQuotation &sample, const QString &what, bool show) {
    auto grid = newGrid(int(sample.lines.size()) + 2);
    auto quotation = newQuotation(context);
    fillQuotation(*quotation, *grid, sample);
    demoRequire(context, *quotation, "Create_Quotation", what);
    if (show)
        showQuotation(context, *quotation, *grid);
    return quotation->text("SalesQuotNo");
}

void demoQuotations(DemoContext &context) {
    QTextStream &out = context.out;

    out << "A new quotation takes its number from the counter of its branch, and its master row and lines are\n"
           "written in one transaction.\n\n";
    const QString homeNumber = createQuotation(
        context, homeCurrencySample(), QStringLiteral("a quotation in Dirhams for Acme Trading LLC, 3 lines"), true);
    const QString foreignNumber =
        createQuotation(context, foreignCurrencySample(),
                        QStringLiteral("a quotation in US Dollars for Harbour Imports Inc., 2 lines"), true);

    out << "A new object reloads " << homeNumber
        << " by its number into a grid of 12 rows. Item codes are stored\n"
           "with the company prefix and shown without it; a grid large enough keeps its rows.\n\n";
    reloadAndShow(context, homeNumber, 12, QStringLiteral("reload ") + homeNumber);

    out << "The user changes the quantity of the second line and adds a fourth; the quotation is loaded first,\n"
           "then rewritten from the object (master and all lines, in one transaction).\n\n";
    {
        auto grid = newGrid(12);
        auto editing = newQuotation(context);
        editing->set("SalesQuotNo", homeNumber);
        editing->setGrid("QuotationGrid", grid.get());
        demoRequire(context, *editing, "Get_Quotation", QStringLiteral("load ") + homeNumber);
        SampleQuotation changed = homeCurrencySample();
        changed.lines[1].qty = 5;
        changed.lines.push_back({QStringLiteral("C300"), 100});
        fillQuotation(*editing, *grid, changed);
        demoRequire(context, *editing, "Update_Quotation",
                    QStringLiteral("rewrite ") + homeNumber + QStringLiteral(" with 4 lines"));
        out << '\n';
        reloadAndShow(context, homeNumber, 12, QStringLiteral("reload ") + homeNumber);
    }

    showValidation(context);

    out << "Cancelling marks the quotation; its lines stay. A cancelled quotation is shown read-only: the grid\n"
           "is cut to its lines and two rows.\n\n";
    {
        auto cancelling = newQuotation(context);
        cancelling->set("SalesQuotNo", foreignNumber);
        cancelling->set("LastUpdate", QDateTime::currentDateTime());
        demoRequire(context, *cancelling, "Cancel_Quotation", QStringLiteral("cancel ") + foreignNumber);
        out << '\n';
        reloadAndShow(context, foreignNumber, 12, QStringLiteral("reload ") + foreignNumber);
    }

    out << "Quotations in the database: " << quotationCount(context)
        << ", of them cancelled: " << quotationCount(context, QStringLiteral("Cancel_Flag = 1")) << '\n';
}

} // namespace orbsales::cli
