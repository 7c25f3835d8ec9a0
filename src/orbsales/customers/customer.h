#pragma once

#include "orbsales/customers/customer_addresses.h"
#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"
#include "orbsales/grid/line_grid.h"

#include <QPointer>
#include <memory>

namespace orbsales {

class Recordset;

// One customer record: the Customer_Master row, one Customer_Master_Balance row per branch of
// its company, the batch change of customer codes, and the customer's delivery addresses.
// Document processing creates it only to read the receivable account of the caller's branch.
//
// Lifetime: the customer owns the address collection and the address it creates at
// construction; they live as long as the customer. An Address or Addresses object the front end
// sets is the front end's and is never deleted here; the items a collection hands out live as long
// as that collection (customer_addresses.h). Nothing a caller can still reach is deleted behind
// its back.
class Customer : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.Customer")
    Q_CLASSINFO("Interface", "_Customer")
    Q_CLASSINFO("WriteOnly", "AdoConnectionObject")

    ORB_PROPERTY(QString, Grade)
    ORB_PROPERTY(QString, ConnectionString)
    Q_PROPERTY(orbsales::Connection *AdoConnectionObject READ AdoConnectionObject WRITE setAdoConnectionObject)
    Q_PROPERTY(QString ErrDesc READ ErrDesc)
    ORB_PROPERTY(QString, CustomerCode)
    ORB_PROPERTY(QString, CustomerName)
    ORB_PROPERTY(bool, CustomerAddressFlag)
    ORB_PROPERTY(QString, CustomerAddress)
    ORB_PROPERTY(QString, CustomerCity)
    ORB_PROPERTY(QString, CustomerState)
    ORB_PROPERTY(QString, CustomerPostal)
    ORB_PROPERTY(QString, CustomerCountry)
    ORB_PROPERTY(double, CountryID)
    ORB_PROPERTY(QString, CustomerPhone)
    ORB_PROPERTY(QString, CustomerFax)
    ORB_PROPERTY(QString, CustomerEmail)
    ORB_PROPERTY(QString, CustomerContactName)
    ORB_PROPERTY(QString, CustomerContactPhone)
    ORB_PROPERTY(QString, CustomerPaymentType)
    ORB_PROPERTY(QString, CustomerPaymentTerms)
    ORB_PROPERTY(double, PaymentTermsID)
    ORB_PROPERTY(QString, CustomerCurrencyCode)
    ORB_PROPERTY(QString, CurrencyCode)
    ORB_PROPERTY(QString, CurrencyName)
    ORB_PROPERTY(QString, CurrencySymbol)
    ORB_PROPERTY(bool, ForeignCurrencyFlag)
    ORB_PROPERTY(double, CustomerCreditLimit)
    ORB_PROPERTY(double, CustomerDiscount)
    ORB_PROPERTY(bool, CustomerInActiveFlag)
    ORB_PROPERTY(QString, CustomerComments)
    ORB_PROPERTY(QString, EmployeeID)
    ORB_PROPERTY(QString, SalesPersonName)
    ORB_PROPERTY(QString, ARAccountNo)
    ORB_PROPERTY(QString, ARAccountName)
    ORB_DATE_PROPERTY(LastUpdate)
    ORB_PROPERTY(QString, Database)
    Q_PROPERTY(orbsales::LineGrid *GridName READ GridName WRITE setGridName)
    Q_PROPERTY(orbsales::CustomerAddress *Address READ Address WRITE setAddress)
    Q_PROPERTY(orbsales::CustomerAddresses *Addresses READ Addresses WRITE setAddresses)
    ORB_PROPERTY(QString, CustomerFlatNo)
    ORB_PROPERTY(QString, CustomerBuilding)
    ORB_PROPERTY(QString, CustomerBlock)
    ORB_PROPERTY(QString, CustomerRoad)
    ORB_PROPERTY(QString, ContactDesignation)
    ORB_PROPERTY(QString, ContactSite)
    ORB_PROPERTY(QString, ContactRemarks)
    ORB_PROPERTY(QString, OwnerName)
    ORB_PROPERTY(QString, OwnerCPRNo)
    ORB_PROPERTY(QString, CustomerCRNo)
    ORB_PROPERTY(bool, CustomerCPRFlag)
    ORB_PROPERTY(double, CustomerBalance)
    ORB_PROPERTY(double, CustomerFCBalance)
    ORB_PROPERTY(QString, CustomerOBLedgerNo)
    ORB_PROPERTY(double, CustomerOBAmount)
    ORB_PROPERTY(QString, CustomerOBType)
    ORB_PROPERTY(QString, CustomerOBDocumentNo)
    ORB_PROPERTY(bool, AllowDeleteFlag)
    ORB_PROPERTY(QString, CompanyPrefix)
    ORB_PROPERTY(QString, BranchPrefix)
    ORB_PROPERTY(QString, DocumentPrefix)

public:
    explicit Customer(QObject *parent = nullptr);
    ~Customer() override;

    QString ErrDesc() const { return errorText(); }
    // Set only for the front end; read back by the library's own code and tests.
    Connection *AdoConnectionObject() const { return m_connection.get(); }
    void setAdoConnectionObject(Connection *connection) { m_connection.set(connection); }
    LineGrid *GridName() const { return m_grid; }
    void setGridName(LineGrid *grid) { m_grid = grid; }
    orbsales::CustomerAddress *Address() const { return m_address; }
    void setAddress(orbsales::CustomerAddress *address);
    CustomerAddresses *Addresses() const { return m_addresses; }
    void setAddresses(CustomerAddresses *addresses) { m_addresses = addresses; }

    Q_INVOKABLE bool Create_Customer();
    Q_INVOKABLE bool Update_Customer();
    Q_INVOKABLE bool Get_Customer(const QString &Customer_Code);
    Q_INVOKABLE bool Get_Customer_Balance(const QString &Customer_Code);
    Q_INVOKABLE bool DeleteRecord();
    Q_INVOKABLE QString Get_AR_Account_Name();
    Q_INVOKABLE bool Adjusted();
    Q_INVOKABLE bool Delete_Previous_OB(const QString &strType, const QString &strRefNo);

    // Batch change of customer codes from the grid in GridName: column 1 marks a row in use,
    // column 2 the old and column 3 the new code, both without the company prefix.
    Q_INVOKABLE bool Change_Customer_Code();
    Q_INVOKABLE bool Change_Code(const QString &pOldCode, const QString &pNewCode);
    Q_INVOKABLE bool Execute_Change_Code(const QString &pTableName, const QString &pChangeColName,
                                         const QString &pNewValue, const QString &pWhere);

    Q_INVOKABLE bool Get_Addresses();
    Q_INVOKABLE bool Create_Address();
    Q_INVOKABLE bool Get_Address(const QString &PAddressCode);

private:
    bool Validate_Customer();
    bool Check_Delete_Allowed();

    void saveMaster(Connection &connection);
    void saveOwnBranch(Connection &connection);
    void addOtherBranches(Connection &connection);
    void writeNameIntoDocuments(Connection &connection);
    void loadMaster(Recordset &master);
    void loadBranch(Recordset &branch);
    void rewriteMaster(Recordset &master);

    orbsales::CustomerAddress &address() const;
    CustomerAddresses &addresses() const;
    // Shows a message the package would have put in a box, with an OK button.
    void notify(const QString &message, const QString &icon = {});

    // Member objects made at construction; the properties point at them until the caller sets others.
    std::unique_ptr<CustomerAddresses> m_ownAddresses;
    std::unique_ptr<orbsales::CustomerAddress> m_ownAddress;

    ConnectionProperty m_connection{ConnectionProperty::Start::OwnObject};
    QPointer<LineGrid> m_grid;
    QPointer<orbsales::CustomerAddress> m_address;
    QPointer<CustomerAddresses> m_addresses;
};

} // namespace orbsales
