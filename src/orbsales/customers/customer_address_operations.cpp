#include "orbsales/customers/customer.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/customers/customer_messages.h"
#include "orbsales/data/operation_connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/values/numbers.h"

namespace orbsales {

using columns::blankToNull;
using columns::exactText;

namespace {

const QString kAddressSql = QStringLiteral("Select * from Customer_Address Where Customer_Code =? and Address_Code=?");

// Address codes are handed to the collection as numbers: a code that is not one cannot be
// listed ("Type mismatch"), as a missing one cannot ("Invalid use of Null").
qint32 addressCodeNumber(Recordset &rows) {
    const std::optional<double> number = numbers::exactNumber(rows.text(u"Address_Code"));
    if (!number)
        throw DatabaseError(QStringLiteral("Type mismatch"));
    return numbers::toLong(*number);
}

// The country is an optional number: an address stored without one reads as country 0, in the
// list and for a single address alike.
qint32 countryNumber(Recordset &rows) {
    const QVariant countryId = rows.value(u"Country_ID");
    return countryId.isNull() ? 0 : numbers::toLong(countryId.toDouble());
}

} // namespace

// Lists every stored address, of all customers, in address-code order, appending to Addresses
// (which is not emptied first). Each item in turn becomes the current Address.
bool Customer::Get_Addresses() {
    return trapped([this] {
        CustomerAddresses &list = addresses();
        Recordset rows;
        rows.open(QStringLiteral("Select * from Customer_Address Order By Address_Code"), {}, m_ConnectionString,
                  CursorType::Keyset);
        for (int i = 1; !rows.eof(); ++i, rows.moveNext()) {
            orbsales::CustomerAddress *item = list.Add(
                QString::number(i), columns::textOrEmpty(rows, u"Customer_Code"), addressCodeNumber(rows),
                columns::textOrEmpty(rows, u"Address_Desc"), columns::textOrEmpty(rows, u"Customer_Address"),
                columns::textOrEmpty(rows, u"Customer_City"), columns::textOrEmpty(rows, u"Customer_State"),
                columns::textOrEmpty(rows, u"Customer_Postal"), countryNumber(rows),
                columns::textOrEmpty(rows, u"Customer_Phone"), columns::textOrEmpty(rows, u"Customer_Fax"),
                columns::textOrEmpty(rows, u"Customer_Email"), columns::textOrEmpty(rows, u"Customer_Contact_Name"),
                columns::textOrEmpty(rows, u"Customer_Contact_Phone"), columns::textOrEmpty(rows, u"Company_Prefix"), QString(),
                QString());
            setAddress(item);
        }
        return true;
    });
}

// Saves the current Address under its customer and address code: adds the row, or rewrites the
// one already there. Empty optional texts are stored as NULL.
bool Customer::Create_Address() {
    return trapped([this] {
        const orbsales::CustomerAddress &item = address();
        Recordset row;
        row.open(kAddressSql, {exactText(item.CustomerCode()), exactText(item.AddressCode())}, m_ConnectionString,
                 CursorType::Keyset);
        if (row.eof())
            row.addNew();
        row.setValue(u"Address_Code", exactText(item.AddressCode()));
        row.setValue(u"Address_Desc", exactText(item.AddressDesc()));
        row.setValue(u"Customer_Code", exactText(item.CustomerCode()));
        row.setValue(u"Company_Prefix", exactText(item.CompanyPrefix()));
        row.setValue(u"Customer_Address", blankToNull(item.addressText()));
        row.setValue(u"Customer_City", blankToNull(item.CustomerCity()));
        row.setValue(u"Customer_State", blankToNull(item.CustomerState()));
        row.setValue(u"Customer_Postal", blankToNull(item.CustomerPostal()));
        row.setValue(u"Country_ID", item.CountryID());
        row.setValue(u"Customer_Country", blankToNull(item.CountryName()));
        row.setValue(u"Customer_Phone", blankToNull(item.CustomerPhone()));
        row.setValue(u"Customer_Fax", blankToNull(item.CustomerFax()));
        row.setValue(u"Customer_Email", blankToNull(item.CustomerEmail()));
        row.setValue(u"Customer_Contact_Name", blankToNull(item.ContactName()));
        row.setValue(u"Customer_Contact_Phone", blankToNull(item.ContactPhone()));
        row.setValue(u"Last_Update", m_LastUpdate);
        row.update();
        return true;
    });
}

// Loads one address of this customer into Address. An unknown address code is not an error:
// Address then stays as it was. The country name is not loaded.
bool Customer::Get_Address(const QString &PAddressCode) {
    return trapped([&] {
        orbsales::CustomerAddress &item = address();
        Recordset row;
        row.open(kAddressSql, {exactText(m_CustomerCode), exactText(PAddressCode)}, m_ConnectionString,
                 CursorType::Keyset);
        if (row.eof())
            return true;
        auto ifSet = [&](QStringView column, void (orbsales::CustomerAddress::*set)(const QString &)) {
            QString value;
            columns::textIfNotEmpty(row, column, value);
            if (!value.isEmpty())
                (item.*set)(value);
        };
        item.setCustomerCode(columns::textOrEmpty(row, u"Customer_Code"));
        item.setAddressCode(columns::textOrEmpty(row, u"Address_Code"));
        item.setAddressDesc(columns::textOrEmpty(row, u"Address_Desc"));
        ifSet(u"Customer_Address", &orbsales::CustomerAddress::setCustomerAddress);
        ifSet(u"Customer_City", &orbsales::CustomerAddress::setCustomerCity);
        ifSet(u"Customer_State", &orbsales::CustomerAddress::setCustomerState);
        ifSet(u"Customer_Postal", &orbsales::CustomerAddress::setCustomerPostal);
        ifSet(u"Customer_Phone", &orbsales::CustomerAddress::setCustomerPhone);
        ifSet(u"Customer_Fax", &orbsales::CustomerAddress::setCustomerFax);
        ifSet(u"Customer_Email", &orbsales::CustomerAddress::setCustomerEmail);
        ifSet(u"Customer_Contact_Name", &orbsales::CustomerAddress::setContactName);
        ifSet(u"Customer_Contact_Phone", &orbsales::CustomerAddress::setContactPhone);
        item.setCountryID(countryNumber(row));
        item.setCompanyPrefix(columns::textOrEmpty(row, u"Company_Prefix"));
        return true;
    });
}

} // namespace orbsales
