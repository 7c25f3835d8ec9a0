#include "demo.h"
#include "front_end.h"
#include "text_table.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/errors.h"
#include "orbsales/grid/memory_grid.h"

#include <QDateTime>
#include <QMetaObject>
#include <QMetaProperty>

// The customer's part of the demonstration: a customer saved with a structured address, read
// back in both branches, given delivery addresses that are listed through the address
// collection, agreed a price that is then changed, and renamed by the batch code change.
namespace orbsales::cli {

namespace {

const QString kCustomer = QStringLiteral("OrbSales.Customer");
const QString kCustomerName = QStringLiteral("Falcon Contracting W.L.L.");
const QString kReceivableAccount = QStringLiteral("1200"); // the chart's receivable account

// The tables that hold a customer's code, and what the code change does with each.
const char *const kCodeTables[] = {"Customer_Master", "Customer_Master_Balance", "Customer_Address",
                                   "Customer_Price_List"};

int countByCode(DemoContext &context, const char *table, const QString &code) {
    return context.connection
        .scalar(QStringLiteral("Select count(*) from %1 Where Customer_Code = ?").arg(QLatin1String(table)), {code})
        .toInt();
}

// The first number from `from` on whose code no customer table knows yet: a code the change
// left behind in the balance rows or addresses is not taken again, so each run starts clean.
int freeNumber(DemoContext &context, int from) {
    for (int number = from;; ++number) {
        const QString code = demo::kCompany + QStringLiteral("C%1").arg(number);
        bool used = false;
        for (const char *table : kCodeTables)
            used = used || countByCode(context, table, code) > 0;
        if (!used)
            return number;
    }
}

// Sets a property that holds an object, as the front end's Set statement does.
void setObject(FrontEndObject &target, const char *name, QObject *value) {
    const QMetaObject *type = target.object().metaObject();
    const int index = type->indexOfProperty(name);
    if (index < 0)
        throw OrbError(QStringLiteral("%1 has no property %2").arg(target.identifier(), QLatin1String(name)));
    // Single inheritance from QObject: the object's address is the address of its class.
    target.set(name, QVariant(type->property(index).metaType(), &value));
}

std::unique_ptr<FrontEndObject> newCustomer(DemoContext &context, const QString &branch = demo::kHeadOffice) {
    auto customer = std::make_unique<FrontEndObject>(kCustomer);
    customer->set("ConnectionString", context.db);
    customer->set("CompanyPrefix", demo::kCompany);
    customer->set("BranchPrefix", branch);
    return customer;
}

// A query's rows as a table, NULL shown as (null).
void printRows(DemoContext &context, const QString &sql, const QVariantList &values) {
    const Connection::Result result = context.connection.select(sql, values);
    QList<QStringList> rows;
    for (const QVariantList &row : result.rows) {
        QStringList cells;
        for (const QVariant &value : row)
            cells << displayValue(value);
        rows << cells;
    }
    printTable(context.out, result.columns, rows);
    context.out << '\n';
}

void fillNewCustomer(FrontEndObject &customer, const QString &code) {
    customer.set("CustomerCode", code);
    customer.set("CustomerName", kCustomerName);
    customer.set("CustomerAddressFlag", true);
    customer.set("CustomerFlatNo", QStringLiteral("Flat 21"));
    customer.set("CustomerBuilding", QStringLiteral("Bldg 1450"));
    customer.set("CustomerBlock", QStringLiteral("Block 428"));
    customer.set("CustomerRoad", QStringLiteral("Road 2816"));
    customer.set("CustomerCity", QStringLiteral("Dubai"));
    customer.set("CustomerCountry", QStringLiteral("United Arab Emirates"));
    customer.set("CountryID", 971.0);
    customer.set("CustomerPhone", QStringLiteral("+971 4 555 0101"));
    customer.set("CustomerContactName", QStringLiteral("R. Menon"));
    customer.set("CustomerPaymentType", QStringLiteral("Credit"));
    customer.set("CustomerPaymentTerms", QStringLiteral("45 Days"));
    customer.set("CustomerCreditLimit", 75000.0);
    customer.set("CustomerCurrencyCode", demo::kHomeCurrency);
    customer.set("CurrencyCode", demo::kHomeCurrency);
    customer.set("CurrencyName", QStringLiteral("UAE Dirham"));
    customer.set("ARAccountNo", demo::kCompany + demo::kHeadOffice + kReceivableAccount);
    customer.set("Grade", QStringLiteral("A"));
    customer.set("LastUpdate", QDateTime::currentDateTime());
}

void createCustomer(DemoContext &context, const QString &code) {
    context.out << "A new credit customer is saved at the head office with a structured address. Saving writes the\n"
                   "master row and a balance row in every branch of the company; only the saving branch's row\n"
                   "carries the payment conditions. The currency symbol comes from the currency table.\n\n";
    auto customer = newCustomer(context);
    fillNewCustomer(*customer, code);
    demoRequire(context, *customer, "Create_Customer",
                QStringLiteral("save ") + code + QStringLiteral(", ") + kCustomerName);
    printFields(context.out, customer->object(), {QStringLiteral("CustomerCode"), QStringLiteral("CurrencySymbol")});
    context.out << "\n  Customer_Master_Balance:\n";
    printRows(context,
              QStringLiteral("Select Branch_Prefix, Customer_Payment_Type, Customer_Payment_Terms, "
                             "Customer_Credit_limit, Customer_Balance from Customer_Master_Balance Where "
                             "Customer_Code = ? Order by Branch_Prefix"),
              {code});
}

// Each branch reads the customer as its documents do: the master, then its own balance row.
void readInBothBranches(DemoContext &context, const QString &code) {
    context.out << "Each branch reads the customer back: the receivable account is the branch's own, and the payment\n"
                   "conditions, credit limit and balance come from the branch's balance row.\n\n";
    const char *const shown[] = {"ARAccountNo",         "CustomerPaymentType", "CustomerPaymentTerms",
                                 "CustomerCreditLimit", "CustomerBalance",     "CurrencySymbol"};
    QStringList headers{QStringLiteral("Branch")};
    for (const char *name : shown)
        headers << QString::fromLatin1(name);
    QList<QStringList> rows;
    std::unique_ptr<FrontEndObject> headOffice;
    for (const QString &branch : demo::branches()) {
        auto reader = newCustomer(context, branch);
        demoRequire(context, *reader, "Get_Customer", code, QStringLiteral("read in ") + branch);
        QStringList cells{branch};
        for (const char *name : shown)
            cells << displayValue(reader->get(name));
        rows << cells;
        if (branch == demo::kHeadOffice)
            headOffice = std::move(reader);
    }
    context.out << '\n';
    printTable(context.out, headers, rows);
    context.out << "\n  The master as the head office loaded it:\n";
    printFields(context.out, headOffice->object(),
                {QStringLiteral("CustomerName"), QStringLiteral("CustomerAddressFlag"),
                 QStringLiteral("CustomerFlatNo"), QStringLiteral("CustomerBuilding"), QStringLiteral("CustomerBlock"),
                 QStringLiteral("CustomerRoad"), QStringLiteral("CustomerCity"), QStringLiteral("CustomerCountry"),
                 QStringLiteral("CountryID"), QStringLiteral("CustomerPhone"), QStringLiteral("CustomerContactName"),
                 QStringLiteral("Grade")});
    context.out << '\n';
}

struct DeliveryAddress {
    const char *code; // address codes are numbers, as the collection takes them
    const char *description;
    const char *text;
    const char *contact;
};

constexpr DeliveryAddress kAddresses[] = {
    {"1", "Site office, Jebel Ali", "Plot 77, Jebel Ali Industrial 1", "Site foreman"},
    {"2", "Warehouse, Al Quoz", "Warehouse 12, Al Quoz Industrial 3", "Store keeper"},
};

void addAndListAddresses(DemoContext &context, const QString &code) {
    context.out
        << "Delivery addresses are saved through the customer's Address object, then listed: Get_Addresses\n"
           "fills the Addresses collection with the stored addresses of all customers, in address-code order.\n\n";
    auto customer = newCustomer(context);
    for (const DeliveryAddress &entry : kAddresses) {
        FrontEndObject address(QStringLiteral("OrbSales.CustomerAddress"));
        address.set("CustomerCode", code);
        address.set("CompanyPrefix", demo::kCompany);
        address.set("AddressCode", QString::fromLatin1(entry.code));
        address.set("AddressDesc", QString::fromLatin1(entry.description));
        address.set("CustomerAddress", QString::fromLatin1(entry.text));
        address.set("CustomerCity", QStringLiteral("Dubai"));
        address.set("CountryID", 971);
        address.set("CountryName", QStringLiteral("United Arab Emirates"));
        address.set("ContactName", QString::fromLatin1(entry.contact));
        setObject(*customer, "Address", &address.object());
        customer->set("LastUpdate", QDateTime::currentDateTime());
        demoRequire(context, *customer, "Create_Address",
                    QStringLiteral("address ") + QLatin1String(entry.code) + QStringLiteral(", ") +
                        QLatin1String(entry.description));
        setObject(*customer, "Address", nullptr); // the address object goes out of scope here
    }

    auto lister = newCustomer(context);
    demoRequire(context, *lister, "Get_Addresses", QStringLiteral("list the addresses"));
    QObject *collection = lister->get("Addresses").value<QObject *>();
    QObjectList items;
    if (!collection ||
        !QMetaObject::invokeMethod(collection, "NewEnum", Qt::DirectConnection, Q_RETURN_ARG(QObjectList, items)))
        throw OrbError(QStringLiteral("the Addresses collection cannot be walked"));
    const char *const shown[] = {"Key",          "AddressCode", "AddressDesc", "CustomerAddress",
                                 "CustomerCity", "CountryID",   "ContactName"};
    QStringList headers;
    for (const char *name : shown)
        headers << QString::fromLatin1(name);
    QList<QStringList> rows;
    for (const QObject *item : items) {
        if (item->property("CustomerCode").toString() != code)
            continue;
        QStringList cells;
        for (const char *name : shown)
            cells << displayValue(item->property(name));
        rows << cells;
    }
    context.out << "\n  The collection holds " << collection->property("Count").toInt() << " addresses; those of "
                << code << ":\n";
    printTable(context.out, headers, rows);
    context.out << '\n';
}

void agreeAndChangePrice(DemoContext &context, const QString &code) {
    context.out << "A price is agreed for the customer and later changed: the price it replaces is kept as the last\n"
                   "selling price.\n\n";
    const demo::DemoItem &item = demo::items().front();
    FrontEndObject price(QStringLiteral("OrbSales.CustomerPriceList"));
    price.set("ConnectionString", context.db);
    price.set("CustomerCode", code);
    price.set("ItemCode", demo::kCompany + QLatin1String(item.code));
    price.set("ItemName", QString::fromLatin1(item.name));
    price.set("UnitID", 1.0);
    price.set("UnitName", QString::fromLatin1(item.unit));
    price.set("UnitQty", 1.0);
    price.set("UnitPrice", item.price);
    price.set("SellingPrice", item.price - 0.75);
    price.set("LastSellingPrice", 0.0);
    price.set("LastUpdate", QDateTime::currentDateTime());
    const QString sql =
        QStringLiteral("Select Item_Code, Unit_Name, Unit_Price, Selling_Price, Last_Selling_Price from "
                       "Customer_Price_List Where Customer_Code = ?");
    demoRequire(context, price, "Save_Customer_Price_List",
                QStringLiteral("%1 at %2").arg(QLatin1String(item.name)).arg(item.price - 0.75));
    printRows(context, sql, {code});

    price.set("SellingPrice", item.price - 1.25);
    price.set("LastUpdate", QDateTime::currentDateTime());
    demoRequire(context, price, "Update_Customer_Price_List",
                QStringLiteral("%1 at %2").arg(QLatin1String(item.name)).arg(item.price - 1.25));
    printFields(context.out, price.object(), {QStringLiteral("SellingPrice"), QStringLiteral("LastSellingPrice")});
    context.out << '\n';
    printRows(context, sql, {code});
}

// The code-change screen: a grid of old and new codes, typed without the company prefix, worked
// on the front end's open connection.
std::unique_ptr<FrontEndObject> codeChanger(DemoContext &context, MemoryGrid &grid, const QString &oldTyped,
                                            const QString &newTyped) {
    const QStringList captions{QString(), QStringLiteral("Change"), QStringLiteral("Old code"),
                               QStringLiteral("New code")};
    grid.setRow(0, captions);
    grid.setRow(1, {QString(), QStringLiteral("x"), oldTyped, newTyped});
    auto changer = newCustomer(context);
    changer->set("AdoConnectionObject", QVariant::fromValue(&context.connection));
    changer->set("Database", QStringLiteral("SQLSERVER"));
    changer->setGrid("GridName", &grid);
    return changer;
}

void changeCode(DemoContext &context, const QString &oldTyped, const QString &newTyped) {
    const QString oldCode = demo::kCompany + oldTyped;
    const QString newCode = demo::kCompany + newTyped;
    context.out << "The customer's code is changed in the batch code change. The master, the price list and the\n"
                   "documents follow the new code; the balance rows and the delivery addresses keep the old one.\n\n";
    MemoryGrid grid(3, 4);
    auto changer = codeChanger(context, grid, oldTyped, newTyped);
    printGrid(context.out, grid);
    context.out << '\n';
    demoRequire(context, *changer, "Change_Customer_Code", oldTyped + QStringLiteral(" to ") + newTyped);

    QList<QStringList> rows;
    for (const char *table : kCodeTables)
        rows << QStringList{QString::fromLatin1(table), QString::number(countByCode(context, table, oldCode)),
                            QString::number(countByCode(context, table, newCode))};
    context.out << '\n';
    printTable(context.out, {QStringLiteral("Table"), oldCode, newCode}, rows);
    context.out << '\n';

    auto reader = newCustomer(context);
    demoRequire(context, *reader, "Get_Customer", newCode, QStringLiteral("read under the new code"));
    printFields(context.out, reader->object(),
                {QStringLiteral("CustomerCode"), QStringLiteral("CustomerName"), QStringLiteral("CustomerBuilding"),
                 QStringLiteral("ARAccountNo"), QStringLiteral("CurrencySymbol")});
    context.out << '\n';

    context.out << "A code already in use is refused before anything is changed.\n\n";
    MemoryGrid refusedGrid(3, 4);
    const QString taken = QString::fromLatin1(demo::customers().front().code);
    auto refused = codeChanger(context, refusedGrid, taken, newTyped);
    if (demoCall(context, *refused, "Change_Customer_Code", taken + QStringLiteral(" to ") + newTyped))
        throw OrbError(QStringLiteral("Change_Customer_Code accepted a code already in use"));
    context.out << '\n';
}

} // namespace

void demoCustomers(DemoContext &context) {
    // Codes unique per run: counted from the company's customers, past any code a table still holds.
    const int existing =
        context.connection
            .scalar(QStringLiteral("Select count(*) from Customer_Master Where Company_Prefix = ?"), {demo::kCompany})
            .toInt();
    const int oldNumber = freeNumber(context, 100 + existing);
    const int newNumber = freeNumber(context, oldNumber + 1);
    const QString oldTyped = QStringLiteral("C%1").arg(oldNumber);
    const QString code = demo::kCompany + oldTyped;

    createCustomer(context, code);
    readInBothBranches(context, code);
    addAndListAddresses(context, code);
    agreeAndChangePrice(context, code);
    changeCode(context, oldTyped, QStringLiteral("C%1").arg(newNumber));

    context.out << "Customers of company " << demo::kCompany << " in the database: "
                << context.connection
                       .scalar(QStringLiteral("Select count(*) from Customer_Master Where Company_Prefix = ?"),
                               {demo::kCompany})
                       .toInt()
                << '\n';
}

} // namespace orbsales::cli
