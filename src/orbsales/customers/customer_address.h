#pragma once

#include "orbsales/frame/property.h"

#include <QObject>
#include <QObjectList>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

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

// An ordered collection of CustomerAddress items, each optionally under a text key. Positions
// are 1-based. Keys are compared ignoring letter case, as the package's collections do. A key
// or position that is not there, and a key given twice, raise the collection's error (OrbError)
// to the caller.
//
// Items are shared: the collection holds each item, and a Customer whose current Address is an
// item keeps it alive after the collection lets it go.
class CustomerAddresses : public QObject {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "OrbSales.CustomerAddresses")
    Q_CLASSINFO("Interface", "_CustomerAddresses")
    Q_CLASSINFO("DefaultMember", "Item")
    Q_PROPERTY(qint32 Count READ Count)

public:
    explicit CustomerAddresses(QObject *parent = nullptr);
    ~CustomerAddresses() override;

    Q_INVOKABLE orbsales::CustomerAddress *
    Add(const QString &Key, const QString &CustomerCode, qint32 AddressCode, const QString &AddressDesc,
        const QString &CustomerAddress, const QString &CustomerCity, const QString &CustomerState,
        const QString &CustomerPostal, qint32 CountryID, const QString &CustomerPhone, const QString &CustomerFax,
        const QString &CustomerEmail, const QString &ContactName, const QString &ContactPhone,
        const QString &CompanyPrefix, const QString &CountryName = QString(), const QString &sKey = QString());
    // A number (of any numeric type) is a position; a text is a key.
    Q_INVOKABLE orbsales::CustomerAddress *Item(const QVariant &vntIndexKey) const;
    Q_INVOKABLE qint32 Count() const { return static_cast<qint32>(m_entries.size()); }
    Q_INVOKABLE void Remove(const QVariant &vntIndexKey);
    // The items in order (for-each support).
    Q_INVOKABLE QObjectList NewEnum() const;

    // The shared handle of an item of this collection; empty when it is not one of them.
    std::shared_ptr<orbsales::CustomerAddress> shared(const orbsales::CustomerAddress *item) const;
    // Appends an item already filled; empty key: no key.
    void append(std::shared_ptr<orbsales::CustomerAddress> item, const QString &key);

    // Range-for over the items, in order.
    class const_iterator {
    public:
        using Inner = std::vector<std::pair<QString, std::shared_ptr<orbsales::CustomerAddress>>>::const_iterator;
        explicit const_iterator(Inner inner) : m_inner(inner) {}
        orbsales::CustomerAddress *operator*() const { return m_inner->second.get(); }
        const_iterator &operator++() {
            ++m_inner;
            return *this;
        }
        bool operator!=(const const_iterator &other) const { return m_inner != other.m_inner; }

    private:
        Inner m_inner;
    };
    const_iterator begin() const { return const_iterator(m_entries.cbegin()); }
    const_iterator end() const { return const_iterator(m_entries.cend()); }

private:
    // Position (0-based) of the entry an index or key names; raises the collection's error.
    std::size_t indexOf(const QVariant &vntIndexKey) const;

    std::vector<std::pair<QString, std::shared_ptr<orbsales::CustomerAddress>>> m_entries; // key, item
};

} // namespace orbsales
