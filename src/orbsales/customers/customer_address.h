#pragma once

#include "orbsales/frame/property.h"

#include <QObject>
#include <QString>

namespace orbsales {

// One delivery address of a customer: a plain holder of the Customer_Address columns. Each
// instance takes the next instance number of its thread (ClassDebugID).
class CustomerAddress : public QObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.CustomerAddress")
    Q_CLASSINFO("Interface", "_CustomerAddress")

    ORB_PROPERTY(QString, Key)
    ORB_PROPERTY(QString, CountryName)
    ORB_PROPERTY(QString, AddressDesc)
    ORB_PROPERTY(QString, CustomerPostal)
    ORB_PROPERTY(QString, CustomerCode)
    ORB_PROPERTY(QString, CompanyPrefix)
    ORB_PROPERTY(QString, ContactPhone)
    ORB_PROPERTY(QString, ContactName)
    ORB_PROPERTY(QString, CustomerEmail)
    ORB_PROPERTY(QString, CustomerFax)
    ORB_PROPERTY(QString, CustomerPhone)
    ORB_PROPERTY(qint32, CountryID)
    ORB_PROPERTY(QString, CustomerState)
    ORB_PROPERTY(QString, CustomerCity)
    // The address text. A C++ member may not carry its class's name, so the accessors are named
    // addressText / setCustomerAddress; the property keeps its name.
    Q_PROPERTY(QString CustomerAddress READ addressText WRITE setCustomerAddress)
    ORB_PROPERTY(QString, AddressCode)
    Q_PROPERTY(qint32 ClassDebugID READ ClassDebugID)

public:
    // Throws OrbError "Overflow" when the thread's instance counter is exhausted.
    explicit CustomerAddress(QObject *parent = nullptr);

    QString addressText() const { return m_addressText; }
    void setCustomerAddress(const QString &value) { m_addressText = value; }
    qint32 ClassDebugID() const { return m_classDebugId; }

private:
    QString m_addressText;
    qint32 m_classDebugId = 0;
};

} // namespace orbsales
