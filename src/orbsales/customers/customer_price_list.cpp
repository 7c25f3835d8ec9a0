#include "orbsales/customers/customer_price_list.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/customers/customer_messages.h"
#include "orbsales/data/recordset.h"
#include "orbsales/values/numbers.h"

namespace orbsales {

namespace msg = customer_messages;
using columns::exactText;

CustomerPriceList::CustomerPriceList(QObject *parent)
    : BusinessObject(parent) {}

CustomerPriceList::~CustomerPriceList() = default;

OperationConnection CustomerPriceList::session() const {
    return OperationConnection::borrowOrOpen(m_connection.get(), m_ConnectionString);
}

bool CustomerPriceList::Validation() {
    if (m_CustomerCode.isEmpty())
        return fail(msg::kInvalidCustomerCode);
    if (m_ItemCode.isEmpty())
        return fail(msg::kInvalidItemCode);
    if (m_ItemName.isEmpty())
        return fail(msg::kInvalidItemName);
    if (m_UnitName.isEmpty())
        return fail(msg::kInvalidUnitName);
    return true;
}

// Adds a row without looking for one of the same customer, item and unit.
bool CustomerPriceList::Save_Customer_Price_List() {
    return trapped([this] {
        if (!Validation())
            return false;
        OperationConnection connection = session();
        Recordset prices;
        prices.open(QStringLiteral("Select * From Customer_Price_List"), {}, connection.get(), CursorType::Keyset);
        prices.addNew();
        prices.setValue(u"Customer_Code", exactText(m_CustomerCode));
        prices.setValue(u"Item_Code", exactText(m_ItemCode));
        if (!m_ItemName.isEmpty())
            prices.setValue(u"Item_Name", m_ItemName);
        if (!m_UnitName.isEmpty())
            prices.setValue(u"Unit_Name", m_UnitName);
        prices.setValue(u"Unit_ID", m_UnitID);
        prices.setValue(u"Unit_Qty", m_UnitQty);
        prices.setValue(u"Unit_Price", m_UnitPrice);
        prices.setValue(u"Selling_Price", m_SellingPrice);
        prices.setValue(u"Last_Selling_Price", m_LastSellingPrice);
        prices.setValue(u"Last_Update", m_LastUpdate);
        prices.update();
        return true;
    });
}

// Changes the row of (CustomerCode, ItemCode, UnitID). When the agreed price changes, the
// price it replaces becomes the last selling price, in the row and in LastSellingPrice.
bool CustomerPriceList::Update_Customer_Price_List() {
    return trapped([this] {
        if (!Validation())
            return false;
        OperationConnection connection = session();
        Recordset prices;
        prices.open(
            QStringLiteral("Select * From Customer_Price_List where Customer_Code=? and Item_Code=? and Unit_ID=?"),
            {exactText(m_CustomerCode), exactText(m_ItemCode), m_UnitID}, connection.get(), CursorType::Keyset);
        if (prices.eof())
            return fail(msg::kInvalidCustomer);
        if (!m_ItemName.isEmpty())
            prices.setValue(u"Item_Name", m_ItemName);
        if (!m_UnitName.isEmpty())
            prices.setValue(u"Unit_Name", m_UnitName);
        prices.setValue(u"Unit_Qty", m_UnitQty);
        prices.setValue(u"Unit_Price", m_UnitPrice);
        const QVariant stored = prices.value(u"Selling_Price");
        if (!stored.isNull() && stored.toDouble() == m_SellingPrice) {
            prices.setValue(u"Selling_Price", m_SellingPrice);
            prices.setValue(u"Last_Selling_Price", m_LastSellingPrice);
        } else {
            // A stored price of NULL cannot be carried over: "Invalid use of Null".
            m_LastSellingPrice = prices.number(u"Selling_Price");
            prices.setValue(u"Last_Selling_Price", m_LastSellingPrice);
            prices.setValue(u"Selling_Price", m_SellingPrice);
        }
        prices.setValue(u"Last_Update", m_LastUpdate);
        prices.update();
        return true;
    });
}

// Runs on the connection object, opened here from ConnectionString: a connection object that
// is already open refuses, as does a second call after a failure left it open.
bool CustomerPriceList::Delete_Customer_Price_List(const QString &Customer_Code, const QString &Item_Code,
                                                   double Unit_ID) {
    return trapped([&] {
        m_CustomerCode = Customer_Code;
        m_ItemCode = Item_Code;
        m_UnitID = Unit_ID;
        if (m_CustomerCode.isEmpty())
            return fail(msg::kInvalidCustomerCode);
        if (m_ItemCode.isEmpty())
            return fail(msg::kInvalidItemCode);
        Connection &connection = m_connection.required();
        if (connection.isOpen())
            throw DatabaseError(QStringLiteral("Operation is not allowed when the object is open."));
        connection.setConnectionString(m_ConnectionString);
        connection.open();
        // A failing statement leaves the connection open.
        connection.execute(
            QStringLiteral("Delete from Customer_Price_List where Customer_Code=? and Item_Code=? and Unit_ID=?"),
            {exactText(m_CustomerCode), exactText(m_ItemCode), m_UnitID});
        connection.close();
        return true;
    });
}

// No error trap of its own: at the operation boundary all the same.
bool CustomerPriceList::Update_Last_Selling_Price() {
    return untrapped([] { return true; });
}

} // namespace orbsales
