#include "orbsales/customers/customer.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/customers/customer_messages.h"
#include "orbsales/data/operation_connection.h"
#include "orbsales/documents/currency_symbol.h"
#include "orbsales/data/recordset.h"

#include <QCoreApplication>

namespace orbsales {

namespace msg = customer_messages;
using columns::blankToNull;
using columns::exactText;

namespace {

// The payment terms apply only to credit customers; the comparison is exact.
const QString kCreditPayment = QStringLiteral("Credit");

const QString kBalanceRowSql =
    QStringLiteral("Select * From Customer_Master_Balance where Customer_Code=? and branch_Prefix=?");

} // namespace

Customer::Customer(QObject *parent)
    : BusinessObject(parent), m_ownAddresses(std::make_unique<CustomerAddresses>()),
      m_ownAddress(std::make_unique<orbsales::CustomerAddress>()), m_address(m_ownAddress.get()),
      m_addresses(m_ownAddresses.get()) {}

// The member connection is released, not closed: a caller's connection is never closed here,
// and the own one closes itself when destroyed.
Customer::~Customer() = default;

void Customer::setAddress(orbsales::CustomerAddress *address) { m_address = address; }

orbsales::CustomerAddress &Customer::address() const {
    if (m_address.isNull())
        throw OrbError(kObjectNotSet);
    return *m_address;
}

CustomerAddresses &Customer::addresses() const {
    if (m_addresses.isNull())
        throw OrbError(kObjectNotSet);
    return *m_addresses;
}

void Customer::notify(const QString &message, const QString &icon) {
    emit notification(message, QCoreApplication::applicationName(), QStringLiteral("OK"), icon);
}

bool Customer::Validate_Customer() {
    if (m_ConnectionString.isEmpty())
        return fail(msg::kInvalidConnectionString);
    if (m_CustomerCode.isEmpty())
        return fail(msg::kInvalidCustomerCode);
    if (m_CustomerName.isEmpty())
        return fail(msg::kInvalidCustomerName);
    if (m_CustomerCurrencyCode.isEmpty())
        return fail(msg::kInvalidCustomerCurrency);
    if (m_CurrencyCode.isEmpty())
        return fail(msg::kInvalidCurrency);
    if (m_ARAccountNo.isEmpty())
        return fail(msg::kInvalidReceivableAccount);
    return true;
}

// Saves the customer: adds the master row or rewrites the existing one, makes sure every branch
// of the company has a balance row, and writes the name into the receivable documents. Nothing
// runs in a transaction: the steps done before a failure stay written.
bool Customer::Create_Customer() {
    return trapped([this] {
        if (!Validate_Customer())
            return false;
        auto connection = OperationConnection::open(m_ConnectionString);
        takeCurrencySymbol(connection.get(), m_CurrencyCode, m_CurrencySymbol);
        saveMaster(connection.get());
        saveOwnBranch(connection.get());
        addOtherBranches(connection.get());
        writeNameIntoDocuments(connection.get());
        return true;
    });
}

void Customer::saveMaster(Connection &connection) {
    Recordset master;
    master.open(QStringLiteral("Select * From Customer_Master where Customer_Code=?"), {exactText(m_CustomerCode)},
                connection, CursorType::Keyset);
    if (master.eof()) {
        master.addNew();
        master.setValue(u"Customer_Code", exactText(m_CustomerCode));
        master.setValue(u"Company_Prefix", exactText(m_CompanyPrefix));
    }
    master.setValue(u"customer_name", exactText(m_CustomerName));
    master.setValue(u"Customer_AddressFlag", m_CustomerAddressFlag);
    if (m_CustomerAddressFlag) {
        master.setValue(u"Customer_Address", QVariant());
        master.setValue(u"Customer_FlatNo", blankToNull(m_CustomerFlatNo));
        master.setValue(u"Customer_Building", blankToNull(m_CustomerBuilding));
        master.setValue(u"Customer_Block", blankToNull(m_CustomerBlock));
        master.setValue(u"Customer_Road", blankToNull(m_CustomerRoad));
    } else {
        master.setValue(u"Customer_Address", blankToNull(m_CustomerAddress));
        for (const auto column : {u"Customer_FlatNo", u"Customer_Building", u"Customer_Block", u"Customer_Road"})
            master.setValue(column, QVariant());
    }
    master.setValue(u"Customer_City", blankToNull(m_CustomerCity));
    master.setValue(u"Customer_State", blankToNull(m_CustomerState));
    master.setValue(u"Customer_Postal", blankToNull(m_CustomerPostal));
    master.setValue(u"Customer_Country", exactText(m_CustomerCountry)); // an empty name stays an empty text
    master.setValue(u"Country_ID", m_CountryID);
    master.setValue(u"Customer_Phone", blankToNull(m_CustomerPhone));
    master.setValue(u"Customer_Fax", blankToNull(m_CustomerFax));
    master.setValue(u"Customer_Email", blankToNull(m_CustomerEmail));
    master.setValue(u"Customer_Contact_Name", blankToNull(m_CustomerContactName));
    master.setValue(u"Customer_Contact_Phone", blankToNull(m_CustomerContactPhone));
    master.setValue(u"Customer_Payment_Type", blankToNull(m_CustomerPaymentType));
    master.setValue(u"Customer_Payment_Terms", blankToNull(m_CustomerPaymentTerms));
    master.setValue(u"Payment_Terms_ID", m_PaymentTermsID);
    master.setValue(u"Customer_Currency_Code", blankToNull(m_CustomerCurrencyCode));
    master.setValue(u"Currency_Code", blankToNull(m_CurrencyCode));
    master.setValue(u"Currency_Name", blankToNull(m_CurrencyName));
    master.setValue(u"Currency_Symbol", exactText(m_CurrencySymbol));
    master.setValue(u"Customer_Credit_limit", m_CustomerCreditLimit);
    master.setValue(u"Customer_Discount", m_CustomerDiscount);
    master.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    master.setValue(u"Customer_Comments", blankToNull(m_CustomerComments));
    if (!m_EmployeeID.isEmpty()) {
        master.setValue(u"Employee_ID", m_EmployeeID);
        master.setValue(u"Sales_Person_Name", exactText(m_SalesPersonName));
    } else {
        master.setValue(u"Employee_ID", QVariant());
        master.setValue(u"Sales_Person_Name", QVariant());
    }
    master.setValue(u"AR_Account_No", exactText(m_ARAccountNo));
    master.setValue(u"Customer_InActive_Flag", m_CustomerInActiveFlag);
    master.setValue(u"Customer_Grade", blankToNull(m_Grade));
    master.setValue(u"Last_Update", m_LastUpdate);
    master.setValue(u"Customer_Contact_Designation", blankToNull(m_ContactDesignation));
    master.setValue(u"Customer_Contact_Site", blankToNull(m_ContactSite));
    master.setValue(u"Customer_Contact_Remarks", blankToNull(m_ContactRemarks));
    master.setValue(u"customer_owner_name", blankToNull(m_OwnerName));
    master.setValue(u"Customer_Owner_CPRNo", blankToNull(m_OwnerCPRNo));
    master.setValue(u"Customer_CRNo", blankToNull(m_CustomerCRNo));
    master.setValue(u"Customer_CPRFlag", m_CustomerCPRFlag);
    master.update();
}

// The creating branch's row carries the payment conditions; its balances are left alone.
void Customer::saveOwnBranch(Connection &connection) {
    Recordset branch;
    branch.open(kBalanceRowSql, {exactText(m_CustomerCode), exactText(m_BranchPrefix)}, connection, CursorType::Keyset);
    if (branch.eof()) {
        branch.addNew();
        branch.setValue(u"Customer_Code", exactText(m_CustomerCode));
        branch.setValue(u"Company_Prefix", exactText(m_CompanyPrefix));
        branch.setValue(u"Branch_Prefix", exactText(m_BranchPrefix));
    }
    branch.setValue(u"Customer_Payment_Type", exactText(m_CustomerPaymentType));
    branch.setValue(u"Customer_Payment_Terms",
                    m_CustomerPaymentType == kCreditPayment ? exactText(m_CustomerPaymentTerms) : QVariant());
    branch.setValue(u"Customer_Credit_limit", m_CustomerCreditLimit);
    branch.update();
}

// Every other branch of the company gets a row holding only its key; existing rows stay as they are.
void Customer::addOtherBranches(Connection &connection) {
    Recordset branches;
    branches.open(QStringLiteral(
                      "select * from branch_master where branch_prefix<>? and company_prefix=? order by branch_prefix"),
                  {exactText(m_BranchPrefix), exactText(m_CompanyPrefix)}, connection, CursorType::Static);
    for (; !branches.eof(); branches.moveNext()) {
        const QString branchPrefix = branches.text(u"Branch_Prefix");
        Recordset balance;
        balance.open(kBalanceRowSql, {exactText(m_CustomerCode), exactText(branchPrefix)}, connection,
                     CursorType::Keyset);
        if (balance.eof()) {
            balance.addNew();
            balance.setValue(u"Customer_Code", exactText(m_CustomerCode));
            balance.setValue(u"Company_Prefix", exactText(m_CompanyPrefix));
            balance.setValue(u"Branch_Prefix", exactText(branchPrefix));
            balance.update();
        }
    }
}

// The receivable documents carry the customer's name as it was when they were made; saving the
// customer brings them up to date. Only this customer's rows are touched (exact code match),
// through the Customer_Code index of each table; nothing but the name changes on them.
void Customer::writeNameIntoDocuments(Connection &connection) {
    static const char *const tables[] = {"AR_Adjustment_Detail", "Sales_Invoice_Master", "Direct_Sales_Invoice_Master",
                                         "AR_Adjustment_Master"};
    for (const char *table : tables)
        connection.execute(QStringLiteral("Update %1 Set Customer_Name=? Where Customer_Code=?").arg(QLatin1String(table)),
                           {exactText(m_CustomerName), exactText(m_CustomerCode)});
}

bool Customer::Update_Customer() {
    return trapped([this] {
        if (!Validate_Customer())
            return false;
        Recordset master;
        master.open(QStringLiteral("Select * From Customer_Master where Customer_Code=?"), {exactText(m_CustomerCode)},
                    m_ConnectionString, CursorType::Keyset);
        if (master.eof())
            return fail(msg::kCustomerDoesNotExist);
        rewriteMaster(master);
        master.update();
        master.close();
        return true;
    });
}

// Changing a customer keeps what the caller left empty, except for the columns always written.
void Customer::rewriteMaster(Recordset &master) {
    auto ifSet = [&](QStringView column, const QString &value) {
        if (!value.isEmpty())
            master.setValue(column, value);
    };
    master.setValue(u"customer_name", exactText(m_CustomerName));
    master.setValue(u"Customer_Country", exactText(m_CustomerCountry));
    master.setValue(u"Country_ID", m_CountryID);
    master.setValue(u"Payment_Terms_ID", m_PaymentTermsID);
    master.setValue(u"Customer_Currency_Code", exactText(m_CustomerCurrencyCode));
    master.setValue(u"Currency_Code", exactText(m_CurrencyCode));
    master.setValue(u"Customer_Credit_limit", m_CustomerCreditLimit);
    master.setValue(u"Customer_Discount", m_CustomerDiscount);
    master.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    master.setValue(u"Customer_InActive_Flag", m_CustomerInActiveFlag);
    master.setValue(u"Last_Update", m_LastUpdate);
    master.setValue(u"Customer_AddressFlag", m_CustomerAddressFlag);
    master.setValue(u"Customer_CPRFlag", m_CustomerCPRFlag);
    master.setValue(u"Customer_Comments", exactText(m_CustomerComments)); // empty comments: an empty text
    ifSet(u"Customer_Address", m_CustomerAddress);
    ifSet(u"Customer_City", m_CustomerCity);
    ifSet(u"Customer_State", m_CustomerState);
    ifSet(u"Customer_Postal", m_CustomerPostal);
    ifSet(u"Customer_Phone", m_CustomerPhone);
    ifSet(u"Customer_Fax", m_CustomerFax);
    ifSet(u"Customer_Email", m_CustomerEmail);
    ifSet(u"Customer_Contact_Name", m_CustomerContactName);
    ifSet(u"Customer_Contact_Phone", m_CustomerContactPhone);
    ifSet(u"Customer_Payment_Type", m_CustomerPaymentType);
    ifSet(u"Customer_Payment_Terms", m_CustomerPaymentTerms);
    ifSet(u"Currency_Name", m_CurrencyName);
    ifSet(u"Currency_Symbol", m_CurrencySymbol);
    ifSet(u"Employee_ID", m_EmployeeID);
    ifSet(u"Sales_Person_Name", m_SalesPersonName);
    ifSet(u"AR_Account_No", m_ARAccountNo);
    ifSet(u"Customer_Grade", m_Grade);
    ifSet(u"Customer_FlatNo", m_CustomerFlatNo);
    ifSet(u"Customer_Building", m_CustomerBuilding);
    ifSet(u"Customer_Block", m_CustomerBlock);
    ifSet(u"Customer_Road", m_CustomerRoad);
    ifSet(u"Customer_Contact_Designation", m_ContactDesignation);
    ifSet(u"Customer_Contact_Site", m_ContactSite);
    ifSet(u"Customer_Contact_Remarks", m_ContactRemarks);
    ifSet(u"customer_owner_name", m_OwnerName);
    ifSet(u"Customer_Owner_CPRNo", m_OwnerCPRNo);
    ifSet(u"Customer_CRNo", m_CustomerCRNo);
}

} // namespace orbsales
