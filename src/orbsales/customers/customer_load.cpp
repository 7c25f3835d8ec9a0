#include "orbsales/customers/customer.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/customers/customer_messages.h"
#include "orbsales/data/operation_connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/frame/registry.h"
#include "orbsales/values/numbers.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = customer_messages;
using columns::exactText;
using text::trimBlanks;

namespace {

const QString kMasterSql = QStringLiteral("Select * from Customer_Master where Customer_Code=?");

bool isDebit(const QString &type) { return type.compare(u"Debit", Qt::CaseInsensitive) == 0; }

// Receivable account numbers carry the branch in their 3rd and 4th characters: the number of
// the caller's branch is the stored one with those two characters replaced.
QString accountForBranch(const QString &stored, const QString &branchPrefix) {
    if (branchPrefix.isEmpty())
        return stored;
    return stored.left(2) + branchPrefix + stored.mid(4);
}

} // namespace

bool Customer::Get_Customer(const QString &Customer_Code) {
    return trapped([&] {
        m_CustomerCode = Customer_Code;
        if (m_ConnectionString.isEmpty() && !m_connection.isOpen())
            return fail(msg::kInvalidConnectionString);
        if (m_CustomerCode.isEmpty())
            return fail(msg::kInvalidCustomerCode);
        auto connection = OperationConnection::openOrBorrow(m_ConnectionString, m_connection.get());
        bool found = true;
        {
            Recordset master;
            master.open(kMasterSql, {exactText(m_CustomerCode)}, connection.get(), CursorType::Keyset);
            if (master.eof()) {
                // Reported, but the branch row is still read.
                setErrDesc(msg::kInvalidCustomerCodeNoDot);
                found = false;
            } else {
                loadMaster(master);
            }
        }
        Recordset branch;
        branch.open(QStringLiteral("Select * from Customer_Master_Balance where Customer_Code=? and branch_Prefix=?"),
                    {exactText(m_CustomerCode), exactText(m_BranchPrefix)}, connection.get(), CursorType::Keyset);
        if (!branch.eof())
            loadBranch(branch);
        return found;
    });
}

// Loads on top of what the properties hold: a NULL column, or an empty text, leaves its
// property as it was. The master's credit limit and balance are not read here (the branch row
// has the ones that count).
void Customer::loadMaster(Recordset &master) {
    auto text = [&](QStringView column, QString &target) { columns::textIfNotEmpty(master, column, target); };
    auto number = [&](QStringView column, double &target) { columns::numberIfSet(master, column, target); };
    auto flag = [&](QStringView column, bool &target) { columns::flagIfSet(master, column, target); };
    text(u"Customer_Code", m_CustomerCode);
    text(u"customer_name", m_CustomerName);
    m_CustomerAddressFlag = columns::isTrue(master, u"Customer_AddressFlag");
    text(u"Customer_Address", m_CustomerAddress);
    text(u"Customer_City", m_CustomerCity);
    text(u"Customer_State", m_CustomerState);
    text(u"Customer_Postal", m_CustomerPostal);
    text(u"Customer_Country", m_CustomerCountry);
    number(u"Country_ID", m_CountryID);
    text(u"Customer_Phone", m_CustomerPhone);
    text(u"Customer_Fax", m_CustomerFax);
    text(u"Customer_Email", m_CustomerEmail);
    text(u"Customer_Contact_Name", m_CustomerContactName);
    text(u"Customer_Contact_Phone", m_CustomerContactPhone);
    text(u"Customer_Payment_Type", m_CustomerPaymentType);
    text(u"Customer_Payment_Terms", m_CustomerPaymentTerms);
    number(u"Payment_Terms_ID", m_PaymentTermsID);
    text(u"Customer_Currency_Code", m_CustomerCurrencyCode);
    text(u"Currency_Code", m_CurrencyCode);
    text(u"Currency_Name", m_CurrencyName);
    text(u"Currency_Symbol", m_CurrencySymbol);
    flag(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    number(u"Customer_Discount", m_CustomerDiscount);
    flag(u"Customer_InActive_Flag", m_CustomerInActiveFlag);
    text(u"Customer_Comments", m_CustomerComments);
    text(u"Employee_ID", m_EmployeeID);
    text(u"Sales_Person_Name", m_SalesPersonName);
    // A NULL account is an error here: every saved customer has one.
    m_ARAccountNo = accountForBranch(master.text(u"AR_Account_No"), m_BranchPrefix);
    text(u"Customer_Grade", m_Grade);
    if (!master.isNull(u"Last_Update"))
        m_LastUpdate = master.date(u"Last_Update");
    text(u"customer_OB_Ledger_No", m_CustomerOBLedgerNo);
    m_CustomerOBAmount = master.isNull(u"customer_OB_Amount") ? 0.0 : master.number(u"customer_OB_Amount");
    text(u"customer_OB_Type", m_CustomerOBType);
    text(u"customer_OB_Document_No", m_CustomerOBDocumentNo);
    text(u"Customer_FlatNo", m_CustomerFlatNo);
    text(u"Customer_Building", m_CustomerBuilding);
    text(u"Customer_Block", m_CustomerBlock);
    text(u"Customer_Road", m_CustomerRoad);
    text(u"Customer_Contact_Designation", m_ContactDesignation);
    text(u"Customer_Contact_Site", m_ContactSite);
    text(u"Customer_Contact_Remarks", m_ContactRemarks);
    text(u"customer_owner_name", m_OwnerName);
    text(u"Customer_Owner_CPRNo", m_OwnerCPRNo);
    text(u"Customer_CRNo", m_CustomerCRNo);
    m_CustomerCPRFlag = columns::isTrue(master, u"Customer_CPRFlag");
}

// The branch row overrides the master's payment conditions. A branch row made for another
// branch holds no balance yet: that reads as nothing owed.
void Customer::loadBranch(Recordset &branch) {
    auto textOrEmpty = [&](QStringView column) { return columns::textOrEmpty(branch, column); };
    auto numberOrZero = [&](QStringView column) { return columns::numberOrZero(branch, column); };
    m_CustomerPaymentType = textOrEmpty(u"Customer_Payment_Type");
    m_CustomerPaymentTerms = textOrEmpty(u"Customer_Payment_Terms");
    m_CustomerBalance = numberOrZero(u"Customer_Balance");
    m_CustomerFCBalance = numberOrZero(u"Customer_Fc_Balance");
    m_CustomerCreditLimit = numberOrZero(u"Customer_Credit_limit");
}

// The overall balance of the master row, always read through the caller's connection object.
bool Customer::Get_Customer_Balance(const QString &Customer_Code) {
    return trapped([&] {
        m_CustomerCode = Customer_Code;
        if (m_CustomerCode.isEmpty())
            return fail(msg::kInvalidCustomerCode);
        auto connection = OperationConnection::borrow(m_connection.get());
        Recordset master;
        master.open(kMasterSql, {exactText(m_CustomerCode)}, connection.get(), CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidCustomerCode);
        if (!master.isNull(u"Customer_Balance"))
            m_CustomerBalance = master.number(u"Customer_Balance");
        return true;
    });
}

QString Customer::Get_AR_Account_Name() {
    QString name;
    trapped([&] {
        auto general = createObject<General>(service_ids::kGeneral);
        if (!m_ConnectionString.isEmpty())
            general->setADOConnectionString(m_ConnectionString);
        else
            general->setAdoConnectionObject(m_connection.get());
        m_ARAccountName = general->GetFldValue(QStringLiteral("Chart_Of_Accounts"), QStringLiteral("Account_Name"),
                                               QStringLiteral("Account_No"), m_ARAccountNo, false);
        if (trimBlanks(m_ARAccountName).isEmpty())
            return fail(msg::kInvalidAccount);
        name = m_ARAccountName;
        return true;
    });
    return name;
}

// Has the opening-balance document been settled in part? Its balance no longer equals its
// total, or it is gone.
bool Customer::Adjusted() {
    return trapped([this] {
        const QString sql =
            isDebit(m_CustomerOBType)
                ? QStringLiteral("Select * from Sales_Invoice_Master Where Sales_Inv_No=?  And "
                                 "Sales_Inv_Total_Amount=Balance_Amount")
                : QStringLiteral("Select * from Receipt_Master where Receipt_No=? And Receipt_Amount=Balance_Amount");
        Recordset document;
        document.open(sql, {exactText(m_CustomerOBDocumentNo)}, m_ConnectionString, CursorType::Static);
        return document.eof();
    });
}

// The documents that keep a customer: the first one found ends the search.
bool Customer::Check_Delete_Allowed() {
    const bool checked = trapped([this] {
        static const char *const tables[] = {"Sales_Quotation_Master",
                                             "Sales_Invoice_Master",
                                             "Sales_Return_Master",
                                             "Customer_OB",
                                             "Direct_Sales_Invoice_Master",
                                             "Sales_Order_Master",
                                             "Direct_Delivery_master",
                                             "Cash_Memo_Master",
                                             "Delivery_Master"};
        auto connection = OperationConnection::open(m_ConnectionString);
        bool allowed = true;
        for (const char *table : tables) {
            Recordset documents;
            documents.open(QStringLiteral("Select * From %1 where Customer_Code=?").arg(QLatin1String(table)),
                           {exactText(m_CustomerCode)}, connection.get(), CursorType::Static);
            if (!documents.eof()) {
                allowed = false;
                break;
            }
        }
        Recordset master;
        master.open(QStringLiteral("Select * From Customer_master where Customer_Code=?"), {exactText(m_CustomerCode)},
                    connection.get(), CursorType::Keyset);
        if (!master.eof()) {
            master.setValue(u"Allow_Delete_Flag", allowed);
            master.update();
        }
        return true;
    });
    if (!checked)
        notify(errorText());
    return checked;
}

// Deletes only the master row: balance rows, addresses and prices of the customer stay.
bool Customer::DeleteRecord() {
    return trapped([this] {
        if (!Check_Delete_Allowed())
            return false;
        auto connection = OperationConnection::open(m_ConnectionString);
        Recordset master;
        master.open(QStringLiteral("Select * From Customer_master where Customer_Code=?"), {exactText(m_CustomerCode)},
                    connection.get(), CursorType::Keyset);
        if (master.eof())
            return false;
        if (master.isNull(u"Allow_Delete_Flag") || !master.flag(u"Allow_Delete_Flag"))
            return fail(msg::kCannotDelete);
        connection->execute(QStringLiteral("Delete From Customer_Master where Row_Id=?"), {master.value(u"Row_Id")});
        return true;
    });
}

// Removes an earlier opening-balance document and its receivable lines before a new one is
// posted. A refusal of the receivable component is shown, not stored in ErrDesc.
bool Customer::Delete_Previous_OB(const QString &strType, const QString &strRefNo) {
    return trapped([&] {
        const QVariant reference = exactText(trimBlanks(strRefNo));
        {
            auto receivable = createObject<AccountsReceivable>(service_ids::kAccountsReceivable);
            receivable->setAdoConnectionObject(m_connection.get());
            receivable->setDocumentNo(reference.toString());
            if (!receivable->ARL_Delete()) {
                notify(receivable->ErrDesc(), QStringLiteral("Information"));
                return false;
            }
        }
        auto connection = OperationConnection::borrow(m_connection.get());
        if (isDebit(strType))
            connection->execute(QStringLiteral("Delete from Sales_Invoice_Master Where Sales_Inv_No=?"), {reference});
        else
            connection->execute(QStringLiteral("Delete from Receipt_Master Where Receipt_No=?"), {reference});
        return true;
    });
}

} // namespace orbsales
