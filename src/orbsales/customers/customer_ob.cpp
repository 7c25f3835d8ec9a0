#include "orbsales/customers/customer_ob.h"

#include "orbsales/customers/customer_messages.h"
#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/data/schema.h"
#include "orbsales/documents/currency_symbol.h"
#include "orbsales/documents/posting.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = customer_messages;
using columns::exactText;
using text::trimBlanks;

namespace {

// Grid columns of the item list.
constexpr int kReferenceNoColumn = 1;
constexpr int kReferenceDateColumn = 2;
constexpr int kAmountColumn = 3;
constexpr int kExchangeRateColumn = 5;
constexpr int kCommentsColumn = 6;
constexpr int kShortDocumentColumn = 7;
constexpr int kDocumentColumn = 8;
// Company (2), branch (2) and document (3) prefixes in front of a document number.
constexpr int kPrefixesLength = 7;

// Items are read from row 1 until a row lacks its reference number or its date (either one:
// stricter than the document grids, where a row ends the list only when both are empty).
bool endsTheList(const GridRow &row) {
    return row.text(kReferenceNoColumn).isEmpty() || row.text(kReferenceDateColumn).isEmpty();
}

} // namespace

CustomerOB::CustomerOB(QObject *parent) : BusinessObject(parent) {}

CustomerOB::~CustomerOB() = default;

void CustomerOB::setCompanyPrefix(const QString &value) { m_companyPrefix = trimBlanks(value); }
void CustomerOB::setBranchPrefix(const QString &value) { m_branchPrefix = trimBlanks(value); }
void CustomerOB::setDocumentPrefix(const QString &value) { m_documentPrefix = trimBlanks(value); }

LineGrid &CustomerOB::grid() const { return required(m_grid.data()); }

QDateTime CustomerOB::referenceDate(const QString &typed) {
    return schema::coerce(schema::ColumnType::Date, typed).toDateTime();
}

bool CustomerOB::Validation() {
    return trapped([this] {
        if (m_CustomerCode.isEmpty())
            return fail(msg::kInvalidCustomer);
        if (!m_connection.isOpen())
            return fail(msg::kInvalidConnectionDot);
        const LineGrid &items = grid();
        // The list is empty when no row has a reference number: saving it removes the stored list.
        m_emptyList = true;
        for (int row = 1; row < items.rowCount(); ++row)
            if (!items.cellText(row, kReferenceNoColumn).isEmpty())
                m_emptyList = false;
        if (m_emptyList)
            return true;
        const GridRow first(items, 1);
        if (first.text(kReferenceNoColumn).isEmpty())
            return fail(msg::kInvalidReferenceNo);
        if (first.text(kReferenceDateColumn).isEmpty())
            return fail(msg::kInvalidReferenceDate);
        if (first.cell(kAmountColumn) == 0)
            return fail(msg::kInvalidAmount);
        // Negative amounts are accepted: an item may reduce what the customer owes.
        for (int row = 1; row < items.rowCount(); ++row) {
            const GridRow item(items, row);
            if (endsTheList(item))
                break;
            if (item.cell(kAmountColumn) == 0)
                return fail(msg::kInvalidAmount);
        }
        return true;
    });
}

void CustomerOB::deleteStoredList(const QString &kind) {
    connection().execute(
        QStringLiteral("Delete From Customer_OB Where Customer_Code=? And OBType = ? and Branch_Prefix=?"),
        {exactText(m_CustomerCode), exactText(kind), exactText(m_branchPrefix)});
}

// Replaces the stored list of this kind with the grid's items, numbered 1, 2, ... in grid order.
// A failure part-way leaves the stored list deleted and the items saved so far; an item whose
// conversion fails is not saved at all.
bool CustomerOB::Create_OB(const QString &OBType) {
    return trapped([&] {
        if (!Validation())
            return false;
        const QString kind = trimBlanks(OBType);
        if (m_emptyList) {
            deleteStoredList(kind);
            return true;
        }
        QString currencyName; // stays empty for a currency the table does not hold
        takeCurrencySymbol(connection(), m_CurrencyCode, m_CurrencySymbol, &currencyName);
        deleteStoredList(kind);

        const LineGrid &rows = grid();
        Recordset items;
        items.open(QStringLiteral("Select * from Customer_OB"), {}, connection(), CursorType::Keyset);
        qint32 serial = 0;
        for (int row = 1; row < rows.rowCount(); ++row) {
            const GridRow item(rows, row);
            if (endsTheList(item))
                break;
            if (item.cell(kAmountColumn) == 0)
                continue;
            storeItem(items, row, ++serial, kind, currencyName);
        }
        return true;
    });
}

void CustomerOB::storeItem(Recordset &items, int row, qint32 serial, const QString &kind, const QString &currencyName) {
    const GridRow item(grid(), row);
    const double amount = item.cell(kAmountColumn);
    const double rate = item.cell(kExchangeRateColumn);
    items.addNew();
    items.setValue(u"OBType", exactText(kind));
    items.setValue(u"SL_No", serial);
    items.setValue(u"Customer_Code", exactText(m_CustomerCode));
    items.setValue(u"Ref_No", exactText(item.trimmed(kReferenceNoColumn)));
    items.setValue(u"Ref_Date", exactText(item.trimmed(kReferenceDateColumn)));
    items.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    items.setValue(u"Currency_Code", exactText(m_CurrencyCode));
    items.setValue(u"Currency_Symbol", exactText(m_CurrencySymbol));
    items.setValue(u"Exchange_Rate", rate);
    items.setValue(u"Balance_FCAmount", amount);
    // Every item is converted, whatever ForeignCurrencyFlag says: a home-currency item comes back unchanged.
    const posting::Conversion conversion{connection().connectionString(), m_Database,
                                         referenceDate(item.trimmed(kReferenceDateColumn)), currencyName, rate};
    items.setValue(u"Balance_Amount", posting::intoHome(conversion, amount));
    if (!item.text(kCommentsColumn).isEmpty())
        items.setValue(u"OB_Comments", item.text(kCommentsColumn));
    items.setValue(u"Company_Prefix", exactText(m_companyPrefix));
    items.setValue(u"Branch_Prefix", exactText(m_branchPrefix));
    items.setValue(u"Last_Update", m_LastUpdate);
    items.update();
}

// Loads the stored list into the grid from row 1. The grid grows a row at a time as an item
// needs one and is never cut or cleared: rows beyond the items keep what they held.
bool CustomerOB::Get_OB(const QString &OBType) {
    return trapped([&] {
        if (m_CustomerCode.isEmpty())
            return fail(msg::kInvalidCustomer);
        if (m_ConnectionString.isEmpty())
            return fail(msg::kInvalidConnectionStringOB);
        Recordset items;
        items.open(QStringLiteral("Select * from Customer_OB Where Customer_Code=? And OBType = ? and "
                                  "branch_prefix=?  order by SL_No"),
                   {exactText(m_CustomerCode), exactText(trimBlanks(OBType)), exactText(m_branchPrefix)},
                   m_ConnectionString, CursorType::Keyset);
        const int count = items.recordCount();
        bool loaded = false;
        for (int row = 1; row <= count; ++row, items.moveNext()) {
            loadItem(items, row);
            loaded = true;
        }
        return loaded;
    });
}

void CustomerOB::loadItem(Recordset &items, int row) {
    LineGrid &rows = grid();
    if (rows.rowCount() == row)
        rows.setRowCount(row + 1);
    const QVariant reference = items.value(u"Ref_No");
    if (!reference.isNull())
        rows.setCellText(row, kReferenceNoColumn, trimBlanks(reference.toString()));
    gridrules::writeText(rows, row, kReferenceDateColumn, items.value(u"Ref_Date"));
    gridrules::writeNumber(rows, row, kAmountColumn, items.value(u"Balance_FCAmount"));
    gridrules::writeNumber(rows, row, kExchangeRateColumn, items.value(u"Exchange_Rate"));
    const QString comments = columns::textOrEmpty(items, u"OB_Comments");
    if (!comments.isEmpty())
        rows.setCellText(row, kCommentsColumn, comments);
    const QString documentNo = columns::textOrEmpty(items, u"OB_Inv_No");
    if (!documentNo.isEmpty()) {
        rows.setCellText(row, kShortDocumentColumn, documentNo.mid(kPrefixesLength));
        rows.setCellText(row, kDocumentColumn, documentNo);
        m_ProcessedFlag = true;
    }
}

} // namespace orbsales
