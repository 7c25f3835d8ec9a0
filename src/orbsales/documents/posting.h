#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace orbsales {

class Connection;
class ProjectTransaction;

// How a document's processing hands its effects to the package's sibling components: the
// steps every processing shares, each written once. What a document posts (which accounts,
// which amounts, which texts) stays in the document's own code; these are the ways of posting.
namespace posting {

// A sibling's action answered: on False its ErrDesc becomes the caller's, unchanged.
template <typename Sibling> bool answered(bool answer, const Sibling &sibling, QString &errDesc) {
    if (!answer)
        errDesc = sibling.ErrDesc();
    return answer;
}

// What every ledger and receivable line of one document carries.
struct DocumentRef {
    QString documentNo;
    QString documentPrefix;
    QDateTime date;
    QString currencyCode;
    QString currencySymbol;
    bool foreignCurrency = false;
    QVariant lastUpdate; // the document's LastUpdate, as a Date or its "dd/MMM/yyyy" text
};

// One general-ledger line. GLComments is handed over only when the document gives comments.
struct LedgerLine {
    QString account;
    QString description;
    std::optional<QString> comments;
    double debit = 0;
    double credit = 0;
    double fcDebit = 0;
    double fcCredit = 0;
};

// GLInsert of the line on the caller's connection, then COAPosting of the same account with
// `chartAmount` (a debit as a positive amount, a credit times -1). A False from either leaves
// the ledger's ErrDesc in `errDesc` and answers false.
bool postLedgerLine(Connection &connection, const DocumentRef &document, const LedgerLine &line, double chartAmount,
                    QString &errDesc);
// The same with the line's own amount as the chart amount (debit - credit).
bool postLedgerLine(Connection &connection, const DocumentRef &document, const LedgerLine &line, QString &errDesc);

// One line of a document's project revenue, handed to OrbProject.ProjectTransaction.
struct ProjectLine {
    QString projectNo;
    double debit = 0;
    double fcDebit = 0;
    double credit = 0;
    double fcCredit = 0;
    QString description;
};
// Lets the project, the document's number, company, branch and prefix, its date, the amounts,
// the currency and the description into `transaction` (the caller's object, on the caller's
// connection), then Save_Project_Transaction; a False leaves its ErrDesc in `errDesc`.
bool postProjectLine(ProjectTransaction &transaction, const QString &companyPrefix, const QString &branchPrefix,
                     const DocumentRef &document, const ProjectLine &line, QString &errDesc);

// A home-currency amount converted into the document's foreign currency by OrbCurrency.Currency:
// ConnectionString, Database and RateDate let in that order, then Convert_Into_FC(currency,
// amount, <omitted>, True, exchangeRate). `currency` is the code or the name, as each document
// passes it.
struct Conversion {
    QString connectionString;
    QString database;
    QDateTime rateDate;
    QString currency;
    double exchangeRate = 1;
};
double intoForeign(const Conversion &conversion, double amount);
// A foreign amount converted into the home currency the same way, by Convert_Into_HC.
double intoHome(const Conversion &conversion, double amount);
// The foreign amount of a posting: the home amount itself for a home-currency document (no
// currency object is made), else its conversion.
double foreignAmount(bool foreignCurrency, const Conversion &conversion, double amount);

// The currency of a document through OrbCurrency.Currency.Get_Currency (ConnectionString,
// Database, RateDate, CurrencyCode let in that order): nullopt when it does not exist.
struct CurrencyFound {
    QString name;
    QString symbol;
};
std::optional<CurrencyFound> findCurrency(const QString &connectionString, const QString &database,
                                          const QDateTime &rateDate, const QString &currencyCode);

// Item types of Item_Master: 0 and 3 are stock items, 3 an assembly; other types carry no stock.
constexpr int kAssemblyItemType = 3;
inline bool isStockItemType(int type) { return type == 0 || type == kAssemblyItemType; }
// The item's type read through OrbSystem.General (ADOConnectionString let): GetFldValue("Item_Master",
// "Item_Type", "Item_Code", code, False), the answer's whole-number value (0 for no answer).
int itemType(const QString &connectionString, const QString &itemCode);

// The branch's switch for posting assembly items to the ledger: AssemblyItemAc_Posting of
// "Select * from Default_Inventory_Preferences Where Branch_Prefix=...", False without a row.
bool assemblyPostingOn(Connection &connection, const QString &branchPrefix);

// The cost-of-goods and free-of-cost accounts of the branch's sales preferences ("Select
// COG_Account_No,FOC_Account_No from Default_Sales_Preferences Where Branch_Prefix=..."); nullopt
// when the branch has no row. They take precedence over the item's own cost accounts.
struct CostAccounts {
    QString costOfGoods;
    QString freeOfCost;
};
std::optional<CostAccounts> branchCostAccounts(Connection &connection, const QString &branchPrefix);

// An item's accounts through OrbInventory.Inventory: AdoConnectionObject, ItemCode,
// CompanyPrefix, BranchPrefix let, Get_Item_Account(). False: the component's ErrDesc.
struct ItemAccounts {
    QString inventory;
    QString costOfGoods;
    QString freeOfCost;
    QString sales;
    QString cashSales;
};
bool itemAccounts(Connection &connection, const QString &itemCode, const QString &companyPrefix,
                  const QString &branchPrefix, ItemAccounts &accounts, QString &errDesc);

// The customer's receivable account from OrbSales.Customer (AdoConnectionObject set, CustomerCode
// and BranchPrefix let, Get_Customer with the trimmed code). False: the customer's ErrDesc.
bool receivableAccount(Connection &connection, const QString &customerCode, const QString &branchPrefix,
                       QString &account, QString &errDesc);

// A value of a preferences table for the company and branch through OrbSystem.General
// (AdoConnectionObject set): GetFldValue(table, field, "Company_Prefix", company, False,
// "Branch_Prefix", branch, False), trimmed. Empty when missing: the caller gives its own message.
QString preferenceValue(Connection &connection, const QString &table, const QString &field,
                        const QString &companyPrefix, const QString &branchPrefix);

} // namespace posting
} // namespace orbsales
