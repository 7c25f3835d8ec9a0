// A front end in a few lines: opens a company database, raises a quotation (created by
// identifier, members reached by name) and an order from it (through the class's own header),
// and reads ErrDesc when the library says no.
#include <orbsales/services/package/demo_company.h>
#include <orbsales/orbsales.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

using namespace orbsales;

// An operation by name, as any front end calls it: every operation answers true or false.
static bool call(QObject &object, const char *operation) {
    bool ok = false;
    QMetaObject::invokeMethod(&object, operation, Q_RETURN_ARG(bool, ok));
    return ok;
}

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv); // Qt finds its database drivers through the application
    const QString db = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("orbsales.db");
    const bool fresh = !QFileInfo::exists(db);
    Connection connection;
    connection.open(db, fresh ? Connection::Creation::MayCreate : Connection::Creation::MustExist);
    if (fresh) { // a new file gets the tables and the demonstration company, as `orbsales init` does
        schema::Schema::instance().apply(connection);
        demo::seedDemoCompany(connection);
    }
    MemoryGrid lines(3, 18); // row 0 is the header; row 1: item, name, unit, unit name, unit qty, qty, price, ...
    lines.setRow(1, {"", "A100", "Widget", "1", "Nos", "1", "2", "12.5", "0", "0", "25", "25", "0"});

    std::unique_ptr<QObject> quotation = Registry::instance().create("OrbSales.SalesQuotation");
    for (const auto &[name, value] : {std::pair<const char *, QVariant>{"ADOConnectionString", db},
                                      {"CompanyPrefix", "01"}, {"BranchPrefix", "HO"}, {"DocumentPrefix", "SQT"},
                                      {"CurrencyCode", "AED"}, {"SalesQuotSubTotal", 25.0}, {"SalesQuotAmount", 25.0},
                                      {"QuotationGrid", QVariant::fromValue<LineGrid *>(&lines)}})
        quotation->setProperty(name, value);
    const bool quoted = call(*quotation, "Create_Quotation");
    const QString quotationNo = quotation->property("SalesQuotNo").toString();
    std::printf("quotation %s %s\n", qPrintable(quotationNo), qPrintable(quotation->property("ErrDesc").toString()));

    SalesOrder order; // works on the front end's open connection
    order.setAdoConnectionObject(&connection);
    order.setCompanyPrefix("01"), order.setBranchPrefix("HO"), order.setDocumentPrefix("SOR");
    order.setCustomerCode("01C001"), order.setCustomerName("Acme Trading LLC"), order.setPaymentType("Credit");
    order.setSalesQuotNo(quotationNo);
    order.setOrderGridName(&lines);
    const bool ordered = order.Create_Order();
    std::printf("order %s %s\n", qPrintable(order.SalesOrdNo()), qPrintable(order.ErrDesc()));

    const bool cancelled = call(*quotation, "Cancel_Quotation"); // refused now that it is ordered
    std::printf("Cancel_Quotation: %s\n", qPrintable(quotation->property("ErrDesc").toString()));
    return quoted && ordered && !cancelled ? 0 : 1;
}
