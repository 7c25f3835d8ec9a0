#include "orbsales/customers/customer_addresses.h"

#include "orbsales/customers/customer_messages.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"

namespace orbsales {

namespace msg = customer_messages;

CustomerAddresses::CustomerAddresses(QObject *parent) : QObject(parent) {}

CustomerAddresses::~CustomerAddresses() = default; // the items go with their parent

namespace {

bool sameKey(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool isText(const QVariant &value) {
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray ||
           value.typeId() == QMetaType::QChar;
}

} // namespace

orbsales::CustomerAddress *CustomerAddresses::Add(const QString &Key, const QString &CustomerCode, qint32 AddressCode,
                                                  const QString &AddressDesc, const QString &CustomerAddress,
                                                  const QString &CustomerCity, const QString &CustomerState,
                                                  const QString &CustomerPostal, qint32 CountryID,
                                                  const QString &CustomerPhone, const QString &CustomerFax,
                                                  const QString &CustomerEmail, const QString &ContactName,
                                                  const QString &ContactPhone, const QString &CompanyPrefix,
                                                  const QString &CountryName, const QString &sKey) {
    auto *item = new orbsales::CustomerAddress(this);
    item->setKey(Key);
    item->setCustomerCode(CustomerCode);
    item->setAddressCode(QString::number(AddressCode));
    item->setAddressDesc(AddressDesc);
    item->setCustomerAddress(CustomerAddress);
    item->setCustomerCity(CustomerCity);
    item->setCustomerState(CustomerState);
    item->setCustomerPostal(CustomerPostal);
    item->setCountryID(CountryID);
    item->setCustomerPhone(CustomerPhone);
    item->setCustomerFax(CustomerFax);
    item->setCustomerEmail(CustomerEmail);
    item->setContactName(ContactName);
    item->setContactPhone(ContactPhone);
    item->setCompanyPrefix(CompanyPrefix);
    item->setCountryName(CountryName);
    append(item, sKey);
    return item;
}

void CustomerAddresses::append(orbsales::CustomerAddress *item, const QString &key) {
    item->setParent(this); // refused or not, the item is the collection's from here on
    if (!key.isEmpty()) {
        for (const auto &[existing, held] : m_entries)
            if (sameKey(existing, key))
                throw OrbError(msg::kDuplicateKey);
    }
    m_entries.emplace_back(key, item);
}

std::size_t CustomerAddresses::indexOf(const QVariant &vntIndexKey) const {
    if (isText(vntIndexKey)) {
        const QString key = vntIndexKey.toString();
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (!m_entries[i].first.isEmpty() && sameKey(m_entries[i].first, key))
                return i;
        throw OrbError(msg::kInvalidProcedureCall);
    }
    bool ok = false;
    const double number = vntIndexKey.toDouble(&ok);
    if (!ok)
        throw OrbError(msg::kInvalidProcedureCall);
    const qint32 position = numbers::toLong(number);
    if (position < 1 || static_cast<std::size_t>(position) > m_entries.size())
        throw OrbError(msg::kSubscriptOutOfRange);
    return static_cast<std::size_t>(position - 1);
}

orbsales::CustomerAddress *CustomerAddresses::Item(const QVariant &vntIndexKey) const {
    return m_entries[indexOf(vntIndexKey)].second;
}

// Out of the list only: the item stays alive with the collection (see the lifetime rule).
void CustomerAddresses::Remove(const QVariant &vntIndexKey) {
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(indexOf(vntIndexKey)));
}

QObjectList CustomerAddresses::NewEnum() const {
    QObjectList items;
    items.reserve(static_cast<qsizetype>(m_entries.size()));
    for (const auto &[key, item] : m_entries)
        items << item;
    return items;
}

} // namespace orbsales
