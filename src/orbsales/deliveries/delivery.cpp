#include "orbsales/deliveries/delivery.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/line_serial.h"
#include "orbsales/data/recordset.h"
#include "orbsales/deliveries/delivery_messages.h"
#include "orbsales/deliveries/delivery_source.h"
#include "orbsales/documents/currency_symbol.h"
#include "orbsales/documents/quotient.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/values/dates.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = delivery_messages;
using columns::exactText;

Delivery::Delivery(QObject *parent) : BusinessObject(parent) {}

Delivery::~Delivery() = default;

LineGrid &Delivery::grid() const { return required(m_grid.data()); }

QString Delivery::stamp() const { return dates::ddMmmYyyy(m_LastUpdate); }

bool Delivery::Validation() {
    if (!m_connection.isOpen())
        return fail(msg::kConnectionNotOpened);
    if (text::isBlank(m_SourceNo))
        return fail(msg::kInvalidSourceNo);
    if (text::isBlank(m_SourcePrefix))
        return fail(msg::kInvalidSourcePrefix);
    return true;
}

bool Delivery::Create_Delivery() {
    bool saveDetail = true;
    return Create_Delivery(saveDetail);
}

// Validation runs before the error trap, as it always has; the trap covers the counter on.
bool Delivery::Create_Delivery(bool &Save_Detail_Flag) {
    if (!Validation())
        return false;
    return trapped([&] {
        CounterUse counter(prefixes(), CounterUse::Form::Temporary);
        if (!counter.take(m_connection, errDescTarget()))
            return false;
        m_DeliveryIdentity = counter.identity();
        m_DeliveryNo = temporaryDocumentNumber(prefixes(), counter.identity());
        if (!Create_Delivery_Master())
            return false; // the counter is not advanced
        if (Save_Detail_Flag && !Save_Delivery_Detail())
            return false; // the header row stays
        return counter.consume(errDescTarget());
    });
}

// No error trap: the master and line steps trap their own errors, anything between them
// reaches the caller.
bool Delivery::Update_Delivery() { return Validation() && Create_Delivery_Master() && Save_Delivery_Detail(); }

bool Delivery::Create_Delivery_Master() {
    return trapped([this] {
        takeCurrencySymbol(connection(), m_CurrencyCode, m_CurrencySymbol);
        Recordset master;
        master.open(QStringLiteral("Select * from Delivery_Master Where Delivery_No=?"), {m_DeliveryNo}, connection(),
                    CursorType::Keyset);
        if (master.eof()) {
            master.addNew();
            master.setValue(u"Delivery_No", exactText(m_DeliveryNo));
            master.setValue(u"Delivery_Identity", m_DeliveryIdentity);
        } else {
            // The lines are written again by the detail save that follows.
            connection().execute(QStringLiteral("Delete from Delivery_Detail Where Delivery_No=?"), {m_DeliveryNo});
        }
        auto textIfGiven = [&master](QStringView column, const QString &value) {
            if (!value.isEmpty())
                master.setValue(column, value);
        };
        master.setValue(u"Company_Prefix", exactText(m_CompanyPrefix));
        master.setValue(u"Branch_Prefix", exactText(m_BranchPrefix));
        master.setValue(u"Document_Prefix", exactText(m_DocumentPrefix));
        textIfGiven(u"Customer_Code", m_CustomerCode);
        textIfGiven(u"customer_name", m_CustomerName);
        textIfGiven(u"Payment_Terms", m_PaymentTerms);
        textIfGiven(u"Payment_Type", m_PaymentType);
        master.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
        textIfGiven(u"Currency_Code", m_CurrencyCode);
        textIfGiven(u"Currency_Symbol", m_CurrencySymbol);
        master.setValue(u"Delivery_Date", m_DeliveryDate);
        master.setValue(u"Delivery_End_Date", m_DeliveryEndDate);
        master.setValue(u"Source_No", exactText(m_SourceNo));
        master.setValue(u"Source_Prefix", exactText(m_SourcePrefix));
        master.setValue(u"Source_Date", m_SourceDate);
        // Amounts go through their decimal text, as the package has always written them.
        master.setValue(u"Delivery_SubTotal", numbers::throughText(m_DeliverySubtotal));
        master.setValue(u"Delivery_FC_SubTotal", numbers::throughText(m_DeliveryFCSubtotal));
        master.setValue(u"Delivery_Disc_Amount", numbers::throughText(m_DeliveryDiscAmount));
        master.setValue(u"Delivery_FC_Disc_Amount", numbers::throughText(m_DeliveryFCDiscAmount));
        master.setValue(u"Delivery_Total_Amount", numbers::throughText(m_DeliveryTotalAmount));
        master.setValue(u"Delivery_FC_Total_Amount", numbers::throughText(m_DeliveryFCTotalAmount));
        const bool employeeGiven = !m_EmployeeID.isEmpty();
        master.setValue(u"Employee_ID", employeeGiven ? QVariant(m_EmployeeID) : QVariant());
        master.setValue(u"Employee_Name", employeeGiven ? exactText(m_EmployeeName) : QVariant());
        textIfGiven(u"source_Name", m_SourceName);
        master.setValue(u"Paid_Flag", m_PaidFlag);
        // An unpaid cash delivery carries its total as the amount still to be collected.
        if (m_PaymentType.toUpper() == QStringLiteral("CASH") && !m_PaidFlag) {
            master.setValue(u"Balance_Amount", m_DeliveryTotalAmount);
            master.setValue(u"Balance_FCAmount", m_DeliveryFCTotalAmount);
        }
        master.setValue(u"Delivery_Comments", columns::nullWhenBlank(m_DeliveryComments));
        master.setValue(u"Exchange_Rate", m_ForeignCurrencyFlag ? m_ExchangeRate : 1.0);
        master.setValue(u"Address_Code", columns::blankToNull(m_CustomerAddressCode));
        master.setValue(u"Delivery_Ref_No", columns::placeholderWhenBlank(m_DeliveryRefNo, QStringLiteral("  ")));
        master.setValue(u"Last_Update", stamp());
        master.update();
        return true;
    });
}

bool Delivery::Save_Delivery_Detail() {
    return trapped([this] {
        Recordset detail;
        detail.open(QStringLiteral("Select * from Delivery_Detail"), {}, connection(), CursorType::Keyset);
        // Column 1 is the tick; the list ends at the first row without item code and name.
        for (const int row : GridLines(grid(), 2, 3)) {
            const GridRow line(grid(), row);
            if (!line.ticked(1))
                continue;
            LineSerial serial(connection(), QStringLiteral("Delivery_Detail"));
            detail.addNew();
            detail.setValue(u"Delivery_No", exactText(m_DeliveryNo));
            detail.setValue(u"SL_No", serial.value());
            saveLine(detail, line);
            detail.setValue(u"Last_Update", stamp());
            detail.update();
            serial.written();
        }
        return true;
    });
}

// One line's columns from its grid row, in the order of the table.
void Delivery::saveLine(Recordset &detail, const GridRow &line) {
    const QString code = line.trimmed(2);
    // A line without an item code keeps none; its source line is then found by its name.
    detail.setValue(u"Item_Code", code.isEmpty() ? QVariant() : QVariant(m_CompanyPrefix + code));
    detail.setValue(u"Item_Name", exactText(line.trimmed(3)));
    detail.setValue(u"Unit_Code", line.number(4));
    const UnitPeriod unit = line.unitPeriod(5);
    detail.setValue(u"Unit_Name", exactText(unit.unitName));
    if (!unit.periodType.isNull())
        detail.setValue(u"Period_Type", unit.periodType);
    detail.setValue(u"FOC_Flag", line.cell(22));
    detail.setValue(u"Unit_Qty", line.number(6));
    detail.setValue(u"Delivery_Qty", line.number(7));
    detail.setValue(u"Proj_No", exactText(line.text(8)));
    detail.setValue(u"Sales_Ord_Dtl_SL_No", line.number(9));
    detail.setValue(u"Delivery_Dtl_Unit_Price", numbers::throughText(line.cell(10)));
    detail.setValue(u"Delivery_Disc_Amount", line.cell(11));
    detail.setValue(u"Delivery_FC_Disc_Amount", line.cell(12));
    detail.setValue(u"Delivery_Item_Amount", line.cell(13));
    detail.setValue(u"Delivery_FC_Item_Amount", line.cell(14));
    detail.setValue(u"Delivery_Dtl_FC_Unit_Price", line.cell(15));
    detail.setValue(u"Sales_Ord_Balance_Qty", line.cell(16));
    // The line's share of the source's overall discount, for the quantity delivered now.
    const double ordered = line.cell(17);
    const double overall = line.cell(18);
    if (overall > 0) {
        const double delivered = line.cell(7);
        detail.setValue(u"Sales_Ord_Overall_Disc",
                        numbers::roundHalfEven(quotient(overall, ordered) * delivered, m_AmtDig));
        detail.setValue(u"Sales_Ord_Overall_FC_Disc",
                        numbers::roundHalfEven(quotient(line.cell(19), ordered) * delivered, m_AmtDig));
    }
    detail.setValue(u"Location_Name", exactText(line.text(20)));
    detail.setValue(u"Location_ID", line.cell(21));
}

bool Delivery::Update_Sales_Order() { return markSource(DeliverySource::salesOrder()); }

bool Delivery::Update_Cash_Memo() { return markSource(DeliverySource::cashMemo()); }

// The source is referred to by a delivery now: no longer cancellable, in process.
bool Delivery::markSource(const DeliverySource &source) {
    return trapped([&] {
        if (text::isBlank(m_SourceNo))
            return fail(msg::kInvalidSalesOrderNo);
        if (text::isBlank(m_SourcePrefix))
            return fail(msg::kInvalidDocumentPrefix);
        if (!m_connection.isOpen())
            return fail(msg::kConnectionIsNotOpen);
        Recordset master;
        master.open(source.masterStatement(), {m_SourceNo}, connection(), CursorType::Keyset);
        if (master.eof())
            return fail(msg::kInvalidSalesOrderNo); // the cash memo says the same
        master.setValue(u"Allow_Cancel_Flag", 0);
        master.setValue(u"process_Flag", 1);
        master.setValue(u"Last_Update", stamp());
        master.update();
        return true;
    });
}

} // namespace orbsales
