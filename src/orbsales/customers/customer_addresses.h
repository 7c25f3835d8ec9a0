#pragma once

#include "orbsales/customers/customer_address.h"

#include <QObject>
#include <QObjectList>
#include <QString>
#include <QVariant>
#include <vector>

namespace orbsales {

// An ordered collection of CustomerAddress items, each optionally under a text key. Positions
// are 1-based. Keys are compared ignoring letter case, as the package's collections do. A key
// or position that is not there, and a key given twice, raise the collection's error (OrbError)
// to the caller.
//
// Lifetime: every item the collection hands out is owned by the collection (its Qt parent) and
// lives as long as the collection does; Remove only takes it out of the list, so a pointer a
// front end still holds stays valid until the collection itself is destroyed.
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
    qint32 Count() const { return static_cast<qint32>(m_entries.size()); }
    Q_INVOKABLE void Remove(const QVariant &vntIndexKey);
    // The items in order (for-each support).
    Q_INVOKABLE QObjectList NewEnum() const;

    // Appends an item already filled, which the collection takes over; empty key: no key.
    void append(orbsales::CustomerAddress *item, const QString &key);

    // Range-for over the items, in order.
    class const_iterator {
    public:
        using Inner = std::vector<std::pair<QString, orbsales::CustomerAddress *>>::const_iterator;
        explicit const_iterator(Inner inner) : m_inner(inner) {}
        orbsales::CustomerAddress *operator*() const { return m_inner->second; }
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

    std::vector<std::pair<QString, orbsales::CustomerAddress *>> m_entries; // key, item (a child of this)
};

} // namespace orbsales
