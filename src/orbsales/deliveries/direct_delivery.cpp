#include "orbsales/deliveries/direct_delivery.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/line_serial.h"
#include "orbsales/data/recordset.h"
#include "orbsales/deliveries/delivery_messages.h"
#include "orbsales/documents/currency_symbol.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/orders/discount_shares.h"
#include "orbsales/values/text.h"

#include <optional>

namespace orbsales {

namespace msg = delivery_messages;
using columns::exactText;

DirectDelivery::DirectDelivery(QObject *parent) : BusinessObject(parent) {}

DirectDelivery::~DirectDelivery() = default;

LineGrid &DirectDelivery::grid() const { return required(m_grid.data()); }

bool DirectDelivery::Validation() {
    return trapped([this] {
        if (!m_connection.isOpen())
            return fail(msg::kConnectionNotOpened);
        if (text::isBlank(m_CustomerCode) || text::isBlank(m_CustomerName))
            return fail(msg::kInvalidCustomerDetails);
        if (text::isBlank(m_PaymentType))
            return fail(msg::kInvalidPaymentType);
        if (text::isBlank(m_CompanyPrefix))
            return fail(msg::kInvalidCompanyPrefix);
        if (text::isBlank(m_BranchPrefix))
            return fail(msg::kInvalidBranchPrefix);
        if (m_DirectDeliverySubtotal == 0)
            return fail(msg::kInvalidSubTotal);
        if (m_DirectDeliveryTotalAmount == 0)
            return fail(msg::kInvalidTotalAmount);
        return true;
    });
}

bool DirectDelivery::Create_Direct_Delivery() {
    return trapped([this] {
        if (!Validation())
            return false;
        CounterUse counter(prefixes(), CounterUse::Form::Temporary);
        if (!counter.take(m_connection, errDescTarget()))
            return false;
        m_DirectDeliveryIdentity = counter.identity();
        m_DirectDeliveryNo = temporaryDocumentNumber(prefixes(), counter.identity());
        if (!Create_Direct_Delivery_Master() || !Save_Direct_Delivery_Detail())
            return false;
        return counter.consume(errDescTarget());
    });
}

// DirectDeliveryNo names the delivery to rewrite; it keeps its number and takes no counter.
bool DirectDelivery::Update_Direct_Delivery() {
    return trapped([this] { return Validation() && Create_Direct_Delivery_Master() && Save_Direct_Delivery_Detail(); });
}

bool DirectDelivery::Create_Direct_Delivery_Master() {
    return trapped([this] {
        takeCurrencySymbol(connection(), m_CurrencyCode, m_CurrencySymbol);
        Recordset master;
        master.open(QStringLiteral("Select * from Direct_Delivery_Master Where Direct_Delivery_No=?"),
                    {m_DirectDeliveryNo}, connection(), CursorType::Keyset);
        if (master.eof()) {
            master.addNew();
            master.setValue(u"Direct_Delivery_No", exactText(m_DirectDeliveryNo));
            master.setValue(u"Direct_Delivery_Identity", m_DirectDeliveryIdentity);
        } else {
            // The lines are written again by the detail save that follows.
            connection().execute(QStringLiteral("Delete from Direct_Delivery_Detail Where  Direct_Delivery_No=?"),
                                 {m_DirectDeliveryNo});
        }
        master.setValue(u"Company_Prefix", exactText(m_CompanyPrefix));
        master.setValue(u"Branch_Prefix", exactText(m_BranchPrefix));
        master.setValue(u"Document_Prefix", exactText(m_DocumentPrefix));
        master.setValue(u"Customer_Code", exactText(m_CustomerCode));
        master.setValue(u"customer_name", exactText(m_CustomerName));
        master.setValue(u"Payment_Terms", exactText(m_PaymentTerms));
        master.setValue(u"Payment_Type", exactText(m_PaymentType));
        master.setValue(u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
        master.setValue(u"Exchange_Rate", m_ForeignCurrencyFlag ? m_ExchangeRate : 1.0);
        master.setValue(u"Currency_Code", exactText(m_CurrencyCode));
        master.setValue(u"Currency_Symbol", exactText(m_CurrencySymbol));
        master.setValue(u"Direct_Delivery_Date", m_DirectDeliveryDate);
        master.setValue(u"Direct_Delivery_End_Date", m_DirectDeliveryEndDate);
        master.setValue(u"Direct_Delivery_SubTotal", m_DirectDeliverySubtotal);
        master.setValue(u"Direct_Delivery_FC_SubTotal", m_DirectDeliveryFCSubtotal);
        master.setValue(u"Direct_Delivery_Disc_Percent", m_DirectDeliveryDiscPercent);
        master.setValue(u"Direct_Delivery_Disc_Amount", m_DirectDeliveryDiscAmount);
        master.setValue(u"Direct_Delivery_FC_Disc_Amount", m_DirectDeliveryFCDiscAmount);
        master.setValue(u"Direct_Delivery_Total_Amount", m_DirectDeliveryTotalAmount);
        master.setValue(u"Direct_Delivery_FC_Total_Amount", m_DirectDeliveryFCTotalAmount);
        master.setValue(u"Employee_ID", exactText(m_EmployeeID));
        master.setValue(u"Employee_Name", exactText(m_EmployeeName));
        master.setValue(u"Paid_Flag", m_PaidFlag);
        master.setValue(u"Direct_Delivery_Comments", columns::placeholderWhenBlank(m_DirectDeliveryComments, QStringLiteral(" ")));
        // A delivery on credit carries its total as the amount the customer owes.
        if (m_PaymentType.toUpper() == QStringLiteral("CREDIT")) {
            master.setValue(u"Balance_Amount", m_DirectDeliveryTotalAmount);
            master.setValue(u"Balance_FCAmount", m_DirectDeliveryFCTotalAmount);
        }
        master.setValue(u"Address_Code", columns::blankToNull(m_CustomerAddressCode));
        master.setValue(u"Last_Update", m_LastUpdate);
        master.update();
        return true;
    });
}

bool DirectDelivery::Save_Direct_Delivery_Detail() {
    Recordset detail;
    detail.open(QStringLiteral("Select * from Direct_Delivery_Detail"), {}, connection(), CursorType::Keyset);
    const GridLines lines(grid());
    // The last line takes what is left of the header discount. It is counted over every
    // non-blank row, while saving stops at the first blank one.
    std::optional<OverallDiscountShares> shares;
    if (m_DirectDeliveryFCDiscAmount > 0)
        shares.emplace(m_DirectDeliveryDiscPercent, m_DirectDeliveryFCDiscAmount, m_DirectDeliveryDiscAmount, m_AmtDig,
                       lines.countAll());
    for (const int row : lines) {
        const GridRow line(grid(), row);
        LineSerial serial(connection(), QStringLiteral("Direct_Delivery_Detail"));
        detail.addNew();
        detail.setValue(u"Direct_Delivery_No", exactText(m_DirectDeliveryNo));
        detail.setValue(u"SL_No", serial.value());
        saveLine(detail, line);
        if (shares) {
            const OverallDiscountShares::Share share = shares->next(row, line.cell(10), line.cell(11));
            detail.setValue(u"Direct_Delivery_Overall_Fc_Disc_Amount", share.foreign);
            detail.setValue(u"Direct_Delivery_Overall_Disc_Amount", share.local);
        }
        detail.setValue(u"Last_Update", m_LastUpdate);
        detail.update();
        serial.written();
    }
    return true; // also for a grid without lines
}

// One line's columns from its grid row, as the direct delivery grid lays them out.
void DirectDelivery::saveLine(Recordset &detail, const GridRow &line) {
    const QString code = line.trimmed(1);
    // A line without an item code keeps none: processing passes it by.
    detail.setValue(u"Item_Code", code.isEmpty() ? QVariant() : QVariant(m_CompanyPrefix + code));
    detail.setValue(u"Item_Name", exactText(line.trimmed(2)));
    detail.setValue(u"Unit_Code", line.number(3));
    const QString unit = line.trimmed(4);
    if (unit.contains(QLatin1Char('-'))) {
        const UnitPeriod split = splitUnitPeriod(unit);
        detail.setValue(u"Unit_Name", split.unitName);
        detail.setValue(u"Period_Type", split.periodType);
    } else {
        detail.setValue(u"Unit_Name", exactText(line.text(4)));
    }
    detail.setValue(u"Unit_Qty", line.number(5));
    detail.setValue(u"Direct_Delivery_Qty", line.number(6));
    detail.setValue(u"Direct_Delivery_Dtl_FC_Unit_Price", line.cell(7));
    detail.setValue(u"Direct_Delivery_Dtl_Disc_Percent", line.cell(8));
    detail.setValue(u"Direct_Delivery_FC_Disc_Amount", line.number(9));
    detail.setValue(u"Direct_Delivery_FC_Item_Amount", line.cell(10));
    detail.setValue(u"Direct_Delivery_Item_Amount", line.cell(11));
    detail.setValue(u"Direct_Delivery_Disc_Amount", line.cell(12));
    detail.setValue(u"Direct_Delivery_Dtl_Unit_Price", line.cell(13));
    detail.setValue(u"Location_Name", exactText(line.text(14)));
    detail.setValue(u"Proj_No", exactText(line.text(15)));
    detail.setValue(u"Location_ID", line.cell(17));
    detail.setValue(u"FOC_Flag", line.cell(18));
}

} // namespace orbsales
