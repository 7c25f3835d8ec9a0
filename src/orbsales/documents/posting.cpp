#include "orbsales/documents/posting.h"

#include "orbsales/customers/customer.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/frame/registry.h"
#include "orbsales/services/currency.h"
#include "orbsales/services/general.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/inventory.h"
#include "orbsales/services/project_transaction.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales::posting {

bool postLedgerLine(Connection &connection, const DocumentRef &document, const LedgerLine &line, double chartAmount,
                    QString &errDesc) {
    auto ledger = createObject<GeneralLedger>(service_ids::kGeneralLedger);
    ledger->setAdoConnectionObject(&connection);
    ledger->setDocumentNo(document.documentNo);
    ledger->setDocumentPrefix(document.documentPrefix);
    ledger->setGLDate(document.date);
    ledger->setCurrencyCode(document.currencyCode);
    ledger->setCurrencySymbol(document.currencySymbol);
    ledger->setGLDescription(line.description);
    if (line.comments)
        ledger->setGLComments(*line.comments);
    ledger->setaccountno(line.account);
    ledger->setGLDebitAmount(line.debit);
    ledger->setGLCreditAmount(line.credit);
    ledger->setFCGLDebitAmount(line.fcDebit);
    ledger->setFCGLCreditAmount(line.fcCredit);
    ledger->setForeignCurrencyFlag(document.foreignCurrency);
    ledger->setLastUpdate(document.lastUpdate);
    if (!answered(ledger->GLInsert(), *ledger, errDesc))
        return false;
    return answered(ledger->COAPosting(line.account, chartAmount), *ledger, errDesc);
}

bool postProjectLine(ProjectTransaction &transaction, const QString &companyPrefix, const QString &branchPrefix,
                     const DocumentRef &document, const ProjectLine &line, QString &errDesc) {
    transaction.setProjNo(line.projectNo);
    transaction.setDocumentNo(document.documentNo);
    transaction.setCompanyPrefix(companyPrefix);
    transaction.setBranchPrefix(branchPrefix);
    transaction.setDocumentPrefix(document.documentPrefix);
    transaction.setDocumentDate(document.date);
    transaction.setProjdDebitAmount(line.debit);
    transaction.setProjdFCDebitAmount(line.fcDebit);
    transaction.setProjdCreditAmount(line.credit);
    transaction.setProjdFCCreditAmount(line.fcCredit);
    transaction.setForeignCurrencyFlag(document.foreignCurrency);
    transaction.setCurrencyCode(document.currencyCode);
    transaction.setCurrencySymbol(document.currencySymbol);
    transaction.setProjdDescription(line.description);
    transaction.setLastUpdate(document.lastUpdate);
    return answered(transaction.Save_Project_Transaction(), transaction, errDesc);
}

bool postLedgerLine(Connection &connection, const DocumentRef &document, const LedgerLine &line, QString &errDesc) {
    return postLedgerLine(connection, document, line, line.debit - line.credit, errDesc);
}

double intoForeign(const Conversion &conversion, double amount) {
    auto currency = createObject<Currency>(service_ids::kCurrency);
    currency->setConnectionString(conversion.connectionString);
    currency->setDatabase(conversion.database);
    currency->setRateDate(conversion.rateDate);
    return currency->Convert_Into_FC(conversion.currency, amount, QVariant(), true, conversion.exchangeRate);
}

double intoHome(const Conversion &conversion, double amount) {
    auto currency = createObject<Currency>(service_ids::kCurrency);
    currency->setConnectionString(conversion.connectionString);
    currency->setDatabase(conversion.database);
    currency->setRateDate(conversion.rateDate);
    return currency->Convert_Into_HC(conversion.currency, amount, QVariant(), true, conversion.exchangeRate);
}

double foreignAmount(bool foreignCurrency, const Conversion &conversion, double amount) {
    return foreignCurrency ? intoForeign(conversion, amount) : amount;
}

std::optional<CurrencyFound> findCurrency(const QString &connectionString, const QString &database,
                                          const QDateTime &rateDate, const QString &currencyCode) {
    auto currency = createObject<Currency>(service_ids::kCurrency);
    currency->setConnectionString(connectionString);
    currency->setDatabase(database);
    currency->setRateDate(rateDate);
    currency->setCurrencyCode(currencyCode);
    if (!currency->Get_Currency())
        return std::nullopt;
    return CurrencyFound{currency->CurrencyName(), currency->CurrencySymbol()};
}

int itemType(const QString &connectionString, const QString &itemCode) {
    auto general = createObject<General>(service_ids::kGeneral);
    general->setADOConnectionString(connectionString);
    const QString answer = general->GetFldValue(QStringLiteral("Item_Master"), QStringLiteral("Item_Type"),
                                                QStringLiteral("Item_Code"), itemCode, false);
    return numbers::toLong(numbers::leadingNumber(answer));
}

bool assemblyPostingOn(Connection &connection, const QString &branchPrefix) {
    Recordset preferences;
    preferences.open(QStringLiteral("Select * from Default_Inventory_Preferences Where Branch_Prefix=?"),
                     {branchPrefix}, connection, CursorType::Static);
    return !preferences.eof() && columns::isTrue(preferences, u"AssemblyItemAc_Posting");
}

std::optional<CostAccounts> branchCostAccounts(Connection &connection, const QString &branchPrefix) {
    Recordset preferences;
    preferences.open(QStringLiteral("Select COG_Account_No,FOC_Account_No from Default_Sales_Preferences Where "
                                    "Branch_Prefix=?"),
                     {branchPrefix}, connection, CursorType::Static);
    if (preferences.eof())
        return std::nullopt;
    return CostAccounts{columns::textOrEmpty(preferences, u"COG_Account_No"),
                        columns::textOrEmpty(preferences, u"FOC_Account_No")};
}

bool itemAccounts(Connection &connection, const QString &itemCode, const QString &companyPrefix,
                  const QString &branchPrefix, ItemAccounts &accounts, QString &errDesc) {
    auto inventory = createObject<Inventory>(service_ids::kInventory);
    inventory->setAdoConnectionObject(&connection);
    inventory->setItemCode(itemCode);
    inventory->setCompanyPrefix(companyPrefix);
    inventory->setBranchPrefix(branchPrefix);
    if (!answered(inventory->Get_Item_Account(), *inventory, errDesc))
        return false;
    accounts = {inventory->InventoryAccountNo(), inventory->COGSAccountNo(), inventory->FOCAccountNo(),
                inventory->SalesAccountNo(), inventory->CashSalesAccount()};
    return true;
}

bool receivableAccount(Connection &connection, const QString &customerCode, const QString &branchPrefix,
                       QString &account, QString &errDesc) {
    auto customer = createObject<Customer>(QStringLiteral("OrbSales.Customer"));
    customer->setAdoConnectionObject(&connection);
    customer->setCustomerCode(customerCode);
    customer->setBranchPrefix(branchPrefix);
    if (!answered(customer->Get_Customer(text::trimBlanks(customerCode)), *customer, errDesc))
        return false;
    account = customer->ARAccountNo();
    return true;
}

QString preferenceValue(Connection &connection, const QString &table, const QString &field,
                        const QString &companyPrefix, const QString &branchPrefix) {
    auto general = createObject<General>(service_ids::kGeneral);
    general->setAdoConnectionObject(&connection);
    return text::trimBlanks(general->GetFldValue(table, field, QStringLiteral("Company_Prefix"), companyPrefix, false,
                                                 QStringLiteral("Branch_Prefix"), branchPrefix, false));
}

} // namespace orbsales::posting
