#include "check_support.h"
#include "front_end.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"

// Customers: now and then a new customer (in the home or the foreign currency), and the opening
// balance of a customer the check took on: a debit list of unpaid invoices and a credit list of
// advances from the old books, stored and processed into documents.
namespace orbsales::cli {

namespace {

constexpr int kOpeningGridColumns = 9;

// A code no customer has yet, of this client's own series: 01K0N1, 01K0N2, ...
QString freshCode(CheckContext &context) {
    for (int number = 1;; ++number) {
        const QString code = demo::kCompany + QStringLiteral("K%1N%2").arg(context.client).arg(number);
        if (context.connection
                .scalar(QStringLiteral("Select count(*) from Customer_Master Where Customer_Code = ?"), {code})
                .toInt() == 0)
            return code;
    }
}

bool newCustomer(CheckContext &context) {
    const bool foreign = context.chance(0.3);
    const QString currency = foreign ? demo::kForeignCurrency : demo::kHomeCurrency;
    const QString code = freshCode(context);
    FrontEndObject customer(QStringLiteral("OrbSales.Customer"));
    customer.set("ConnectionString", context.db);
    customer.set("CompanyPrefix", demo::kCompany);
    customer.set("BranchPrefix", randomBranch(context));
    customer.set("CustomerCode", code);
    customer.set("CustomerName", QStringLiteral("Check customer ") + code);
    customer.set("CustomerPaymentType", QStringLiteral("Credit"));
    customer.set("CustomerPaymentTerms", QStringLiteral("30 Days"));
    customer.set("CustomerCreditLimit", 10000.0 * double(1 + context.pick(5)));
    customer.set("CustomerCurrencyCode", currency);
    customer.set("CurrencyCode", currency);
    customer.set("CurrencyName", foreign ? QStringLiteral("US Dollar") : QStringLiteral("UAE Dirham"));
    customer.set("ForeignCurrencyFlag", foreign);
    customer.set("ARAccountNo", demo::kCompany + demo::kHeadOffice + QStringLiteral("1200"));
    prepare(context, customer);
    return answered(context, customer, "Create_Customer");
}

// One list of one to three items, in the customer's currency, stored and processed.
bool openingList(CheckContext &context, const QVariantList &customer, const QString &kind) {
    const bool foreign = customer.at(2).toInt() != 0;
    const int items = 1 + context.pick(3);
    MemoryGrid grid(items + 2, kOpeningGridColumns);
    for (int row = 1; row <= items; ++row)
        grid.setRow(row, {QString(), QStringLiteral("OLD/%1/%2").arg(kind).arg(row),
                          QDate(2025, 1 + context.pick(12), 1 + context.pick(28)).toString(QStringLiteral("dd/MMM/yyyy")),
                          QString::number(10 * (1 + context.pick(100))), QString(),
                          foreign ? QString::number(demo::kForeignRate) : QStringLiteral("1"), QString()});
    auto object = [&](const QString &documentPrefix) {
        auto ob = std::make_unique<FrontEndObject>(QStringLiteral("OrbSales.CustomerOB"));
        ob->set("AdoConnectionObject", QVariant::fromValue(&context.connection));
        ob->set("ConnectionString", context.db);
        ob->set("CompanyPrefix", demo::kCompany);
        ob->set("BranchPrefix", demo::kHeadOffice);
        ob->set("DocumentPrefix", documentPrefix);
        ob->set("CustomerCode", customer.at(0).toString());
        ob->set("CustomerName", customer.at(1).toString());
        ob->set("ForeignCurrencyFlag", foreign);
        ob->set("CurrencyCode", customer.at(3).toString());
        ob->set("Database", QStringLiteral("SQLSERVER"));
        ob->set("SyncFlag", false);
        ob->setGrid("GridName", &grid);
        prepare(context, *ob);
        return ob;
    };
    bool result = false;
    auto stored = object(QString());
    if (!QMetaObject::invokeMethod(&stored->object(), "Create_OB", Qt::DirectConnection, Q_RETURN_ARG(bool, result),
                                   Q_ARG(QString, kind)) ||
        !result)
        return refused(context, QStringLiteral("Create_OB ") + stored->errDesc());
    auto processing = object(kind == QLatin1String("Debit") ? QStringLiteral("COB") : QStringLiteral("OBR"));
    QMetaObject::invokeMethod(&processing->object(), "Process_OB", Qt::DirectConnection, Q_RETURN_ARG(bool, result),
                              Q_ARG(QString, kind));
    return result || refused(context, QStringLiteral("Process_OB ") + processing->errDesc());
}

// A customer this client took on whose opening balance is not entered yet.
bool openingBalance(CheckContext &context) {
    const QVariantList customer = context.pickRow(QStringLiteral(
        "Select C.Customer_Code, C.customer_name, COALESCE(C.Foreign_Currency_Flag, 0), C.Currency_Code from "
        "Customer_Master C Where C.Customer_Code like ? and not exists (Select 1 from Customer_OB O Where "
        "O.Customer_Code = C.Customer_Code)"),
        {demo::kCompany + QStringLiteral("K%1N%").arg(context.client)});
    if (customer.isEmpty())
        return true;
    if (!openingList(context, customer, QStringLiteral("Debit")))
        return false;
    return !context.chance(0.5) || openingList(context, customer, QStringLiteral("Credit"));
}

} // namespace

std::vector<CheckAction> customerActions() {
    return {{"new customer", 1, newCustomer}, {"opening balance", 1, openingBalance}};
}

} // namespace orbsales::cli
