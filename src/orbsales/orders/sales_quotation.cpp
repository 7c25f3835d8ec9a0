#include "orbsales/orders/sales_quotation.h"

#include "orbsales/data/connection.h"
#include "orbsales/documents/currency_symbol.h"
#include "orbsales/data/recordset.h"
#include "orbsales/data/scoped_transaction.h"
#include "orbsales/data/line_serial.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/values/numbers.h"
#include "orbsales/numbering/document_number.h"
#include "orbsales/orders/order_messages.h"
#include "orbsales/values/text.h"


namespace orbsales {

namespace msg = order_messages;
using numbers::throughText;

SalesQuotation::SalesQuotation(QObject *parent) : BusinessObject(parent) {}

SalesQuotation::~SalesQuotation() = default;

LineGrid &SalesQuotation::grid() const { return required(m_grid.data()); }

bool SalesQuotation::Validate_Quotation() {
    if (m_CompanyPrefix.isEmpty())
        return fail(msg::kInvalidCompanyPrefix);
    if (m_BranchPrefix.isEmpty())
        return fail(msg::kInvalidBranchPrefix);
    if (m_DocumentPrefix.isEmpty())
        return fail(msg::kInvalidDocumentPrefix);
    if (throughText(m_SalesQuotSubTotal) == 0)
        return fail(msg::kInvalidSubTotal);
    if (throughText(m_SalesQuotAmount) == 0)
        return fail(msg::kInvalidQuotationAmount);
    if (m_ForeignCurrencyFlag) {
        if (throughText(m_SalesQuotFCSubTotal) == 0)
            return fail(msg::kInvalidFcSubTotal);
        if (throughText(m_SalesQuotFCAmount) == 0)
            return fail(msg::kInvalidFcAmount);
    }
    if (m_CurrencyCode.isEmpty())
        return fail(msg::kInvalidCurrencyCode);
    // A grid with only its header row has no first line either.
    if (GridLines(grid()).count() == 0)
        return fail(msg::kInvalidItemDetails);
    return true;
}

bool SalesQuotation::Create_Quotation() {
    return trapped([this] {
        if (!Validate_Quotation())
            return false;
        ScopedTransaction transaction(m_connection.required(), m_ADOConnectionString);
        DocumentIdentity identity(prefixes(), CounterUse::Form::OneArgument, m_DocFlag, m_manualDocIdentity);
        if (!identity.take(m_connection, errDescTarget()))
            return false;
        m_lastIdentity = identity.value();
        m_SalesQuotNo = identity.number();
        if (!Save_Quotation_Master() || !Save_Quotation_Detail())
            return false;
        // A typed number raises the counter on a session of its own, outside the transaction.
        if (!identity.finishOnOwnConnection(m_ADOConnectionString, m_connection.required(), errDescTarget()))
            return false;
        transaction.commit();
        return true;
    });
}

bool SalesQuotation::Update_Quotation() {
    return trapped([this] {
        if (!Validate_Quotation())
            return false;
        ScopedTransaction transaction(m_connection.required(), m_ADOConnectionString);
        if (!Save_Quotation_Master() || !Save_Quotation_Detail())
            return false;
        transaction.commit();
        return true;
    });
}

bool SalesQuotation::Save_Quotation_Master() {
    takeCurrencySymbol(m_connection.required(), m_CurrencyCode, m_CurrencySymbol);

    Recordset master;
    master.open(QStringLiteral("Select * From Sales_Quotation_Master Where Sales_Quot_No=?"), {m_SalesQuotNo},
                m_connection.required(), CursorType::Keyset);
    if (master.eof()) {
        master.addNew();
        master.setValue(u"Sales_Quot_No", m_SalesQuotNo);
        master.setValue(u"Sales_Quot_Identity", m_lastIdentity);
        m_SalesQuotIdentity = m_lastIdentity;
    } else {
        // The quotation is rewritten in place: its lines are written afresh.
        m_connection.required().execute(QStringLiteral("Delete from Sales_Quotation_Detail Where Sales_Quot_No=?"),
                              {m_SalesQuotNo});
    }
    master.setValue(u"Company_Prefix", m_CompanyPrefix);
    master.setValue(u"Branch_Prefix", m_BranchPrefix);
    master.setValue(u"Document_Prefix", m_DocumentPrefix);
    master.setValue(u"Customer_Code", m_CustomerCode);
    master.setValue(u"customer_name", m_CustomerName);
    master.setValue(u"Sales_Quot_Date", m_SalesQuotDate);
    master.setValue(u"Sales_Quot_Comments", m_SalesQuotComments);
    master.setValue(u"Sales_Quot_SubTotal", throughText(m_SalesQuotSubTotal));
    master.setValue(u"Sales_Quot_Disc_Percent", throughText(m_SalesQuotDiscPercent));
    master.setValue(u"Sales_Quot_Disc_Amount", throughText(m_SalesQuotDiscAmount));
    master.setValue(u"Sales_Quot_Amount", throughText(m_SalesQuotAmount));
    master.setValue(u"Sales_Quot_FC_SubTotal", throughText(m_SalesQuotFCSubTotal));
    master.setValue(u"Sales_Quot_FC_Disc_Amount", throughText(m_SalesQuotFCDiscAmount));
    master.setValue(u"Sales_Quot_FC_Amount", throughText(m_SalesQuotFCAmount));
    master.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    master.setValue(u"Exchange_Rate", m_ForeignCurrencyFlag ? throughText(m_ExchangeRate) : 1.0);
    master.setValue(u"Currency_Code", m_CurrencyCode);
    master.setValue(u"Currency_Symbol", m_CurrencySymbol);
    master.setValue(u"Cancel_Flag", m_CancelFlag);
    master.setValue(u"Allow_Cancel_Flag", m_AllowCancelFlag);
    master.setValue(u"Employee_ID", m_EmployeeID);
    master.setValue(u"Employee_Name", m_EmployeeName);
    master.setValue(u"process_Flag", m_ProcessFlag);
    master.setValue(u"Sales_Quot_Valid_Date", m_SalesQuotValidDate);
    master.setValue(u"Sales_Quot_Ref_No", m_SalesQuotRefNo);
    master.setValue(u"Last_Update", m_LastUpdate);
    master.update();
    master.close();
    return true;
}

bool SalesQuotation::Save_Quotation_Detail() {
    Connection &connection = m_connection.required();
    Recordset detail;
    detail.open(QStringLiteral("Select * from Sales_Quotation_Detail"), {}, connection, CursorType::Keyset);
    int written = 0;
    for (const int row : GridLines(grid())) {
        const GridRow line(grid(), row);
        LineSerial serial(connection, QStringLiteral("Sales_Quotation_Detail"));
        detail.addNew();
        detail.setValue(u"Sales_Quot_No", m_SalesQuotNo);
        detail.setValue(u"Item_Code", m_CompanyPrefix + line.trimmed(1));
        detail.setValue(u"Item_Name", line.trimmed(2));
        detail.setValue(u"Unit_Code", line.number(3));
        detail.setValue(u"Unit_Name", line.text(4));
        detail.setValue(u"Unit_Qty", line.number(5));
        detail.setValue(u"Sales_Quot_Qty", line.number(6));
        detail.setValue(u"Sales_Quot_FC_Unit_Price", line.number(7));
        detail.setValue(u"Sales_Quot_Dtl_Disc_Percent", line.number(8));
        detail.setValue(u"Sales_Quot_FC_Disc_Amount", line.number(9));
        detail.setValue(u"Sales_Quot_FC_Item_Amount", line.number(10));
        detail.setValue(u"Sales_Quot_Item_Amount", line.number(11));
        detail.setValue(u"Sales_Quot_Disc_Amount", line.number(12));
        detail.setValue(u"Sales_Quot_Unit_Price", line.number(13));
        detail.setValue(u"FOC_Flag", line.cell(14));
        detail.setValue(u"SL_No", serial.value());
        detail.setValue(u"Last_Update", m_LastUpdate);
        detail.update();
        serial.written();
        ++written;
    }
    detail.close();
    return written > 0; // no line at all: false, ErrDesc as it was
}

} // namespace orbsales
