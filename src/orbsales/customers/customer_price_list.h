#pragma once

#include "orbsales/data/operation_connection.h"
#include "orbsales/frame/business_object.h"

#include <QPointer>
#include <memory>

namespace orbsales {

// A customer's own price for an item and unit: one Customer_Price_List row, holding the agreed
// selling price and the price agreed before it.
class CustomerPriceList : public BusinessObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.CustomerPriceList")
    Q_CLASSINFO("Interface", "_CustomerPriceList")
    Q_CLASSINFO("WriteOnly", "AdoDBConnectionObject")

    ORB_PROPERTY(QString, ConnectionString)
    Q_PROPERTY(orbsales::Connection *AdoDBConnectionObject READ AdoDBConnectionObject WRITE setAdoDBConnectionObject)
    Q_PROPERTY(QString ErrDesc READ ErrDesc)
    ORB_PROPERTY(QString, CustomerCode)
    ORB_PROPERTY(QString, ItemCode)
    ORB_PROPERTY(QString, ItemName)
    ORB_PROPERTY(double, UnitID)
    ORB_PROPERTY(QString, UnitName)
    ORB_PROPERTY(double, UnitQty)
    ORB_PROPERTY(double, UnitPrice)
    ORB_PROPERTY(double, SellingPrice)
    ORB_PROPERTY(double, LastSellingPrice)
    ORB_DATE_PROPERTY(LastUpdate)

public:
    explicit CustomerPriceList(QObject *parent = nullptr);
    ~CustomerPriceList() override;

    QString ErrDesc() const { return errorText(); }
    Connection *AdoDBConnectionObject() const { return m_connection.get(); }
    void setAdoDBConnectionObject(Connection *connection) { m_connection.set(connection); }

    Q_INVOKABLE bool Save_Customer_Price_List();
    Q_INVOKABLE bool Update_Customer_Price_List();
    Q_INVOKABLE bool Delete_Customer_Price_List(const QString &Customer_Code, const QString &Item_Code, double Unit_ID);
    // Records the price charged as the last selling price of an existing row; always true
    // unless the database fails. Delivery processing calls it after each line.
    Q_INVOKABLE bool Update_Last_Selling_Price();

private:
    bool Validation();
    // The connection object when it is open, otherwise a session of its own from ConnectionString.
    OperationConnection session() const;

    ConnectionProperty m_connection{ConnectionProperty::Start::OwnObject}; // made unopened with the object
};

} // namespace orbsales
