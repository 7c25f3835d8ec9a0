#include "orbsales/invoices/sales_invoice.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/currency_symbol.h"
#include "orbsales/grid/line_rows.h"
#include "orbsales/invoices/invoice_messages.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace orbsales {

namespace msg = invoice_messages;
using columns::exactText;

namespace {

// Table and column names go into the statement text (only values can be bound), so only plain
// names are taken: a name that is anything else never reaches the database.
QString plainName(const QString &name) {
    static const QRegularExpression plain(QStringLiteral(R"(^[A-Za-z_][A-Za-z0-9_]*$)"));
    const QString trimmed = text::trimBlanks(name);
    if (!plain.match(trimmed).hasMatch())
        throw DatabaseError(QStringLiteral("Invalid table or column name '%1'").arg(name));
    return trimmed;
}

// A condition value: compared as a number (bound as one, so it must be one) or as text.
QVariant conditionValue(const QString &value, bool numeric) {
    if (!numeric)
        return exactText(value);
    const std::optional<double> number = numbers::exactNumber(value);
    if (!number)
        throw DatabaseError(QStringLiteral("'%1' is not a number").arg(value));
    return *number;
}

QString fieldText(const QVariant &value) {
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return numbers::valueText(value);
}

} // namespace

SalesInvoice::SalesInvoice(QObject *parent) : BusinessObject(parent) {}

SalesInvoice::~SalesInvoice() = default;

LineGrid &SalesInvoice::grid() const { return required(m_grid.data()); }

QString SalesInvoice::ProjNo() const { return numbers::numberText(m_projNo); }

void SalesInvoice::setProjNo(const QString &value) {
    const std::optional<double> number = numbers::exactNumber(value);
    if (!number)
        throw OrbError(QStringLiteral("Type mismatch"));
    m_projNo = *number;
}

bool SalesInvoice::Validate_Invoice() {
    if (!m_adoConnection.isOpen())
        return fail(msg::kConnectionNotOpened);
    return true;
}

bool SalesInvoice::Create_Sales_Invoice() {
    bool saveDetail = true;
    return Create_Sales_Invoice(saveDetail);
}

bool SalesInvoice::Create_Sales_Invoice(bool &Save_Detail_Flag) {
    return trapped([&] {
        if (!Validate_Invoice())
            return false;
        CounterUse counter(prefixes(), CounterUse::Form::Temporary);
        if (!counter.take(m_adoConnection, errDescTarget()))
            return false;
        m_SalesInvIdentity = counter.identity();
        m_SalesInvNo = temporaryDocumentNumber(prefixes(), counter.identity());
        if (!Save_Invoice_Master())
            return false; // the counter is not advanced
        if (Save_Detail_Flag && !Save_Invoice_Detail())
            return false;
        return counter.consume(errDescTarget());
    });
}

bool SalesInvoice::Update_Sales_Invoice() {
    return Validate_Invoice() && Save_Invoice_Master() && Save_Invoice_Detail();
}

bool SalesInvoice::Save_Invoice_Master() {
    return trapped([this] {
        takeCurrencySymbol(connection(), m_CurrencyCode, m_CurrencySymbol);
        Recordset master;
        master.open(QStringLiteral("Select * from Sales_Invoice_Master Where Sales_Inv_No=?"), {m_SalesInvNo},
                    connection(), CursorType::Keyset);
        if (master.eof()) {
            master.addNew();
            master.setValue(u"Sales_Inv_No", m_SalesInvNo);
            master.setValue(u"Sales_Inv_Identity", m_SalesInvIdentity);
        } else {
            // The lines are written again by the detail save.
            connection().execute(QStringLiteral("Delete from Sales_Invoice_Detail Where  Sales_Inv_No=?"),
                                 {m_SalesInvNo});
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
        master.setValue(u"Sales_Inv_Date", m_SalesInvDate);
        master.setValue(u"Sales_Inv_End_Date", m_SalesInvEndDate);
        master.setValue(u"Sales_Inv_SubTotal", m_SalesInvSubtotal);
        master.setValue(u"Sales_Inv_FC_SubTotal", m_SalesInvFCsubtotal);
        master.setValue(u"Sales_Inv_Disc_Percent", m_SalesInvDiscPercent);
        master.setValue(u"Sales_Inv_Disc_Amount", m_SalesInvDiscAmount);
        master.setValue(u"Sales_Inv_FC_Disc_Amount", m_SalesInvFCDiscAmount);
        master.setValue(u"Sales_Inv_Total_Amount", m_SalesInvTotalAmount);
        master.setValue(u"Sales_Inv_FC_Total_Amount", m_SalesInvFCTotalAmount);
        master.setValue(u"Employee_ID", exactText(m_EmployeeID));
        master.setValue(u"Employee_Name", exactText(m_EmployeeName));
        master.setValue(u"Sales_Inv_Comments", columns::nullWhenBlank(m_SalesInvComments));
        // The whole invoice is open until receipts are applied against it.
        master.setValue(u"Balance_Amount", m_SalesInvTotalAmount);
        master.setValue(u"Balance_FCAmount", m_SalesInvFCTotalAmount);
        master.setValue(u"Invoice_Ref_no", exactText(m_InvoiceRefNo));
        master.update();
        return true;
    });
}

// The re-invoicing option is read before the lines, outside the detail save's own error trap:
// a missing RentOptions table, an empty one or a NULL flag stops the save with the database's text.
bool SalesInvoice::Save_Invoice_Detail() {
    Recordset options;
    options.open(QStringLiteral("select * from RentOptions"), {}, connection(), CursorType::Static);
    options.integer(u"reinvoicingoption_flag"); // read as a whole number, not used further
    options.close();
    return trapped([this] {
        Recordset detail;
        detail.open(QStringLiteral("Select * from Sales_Invoice_Detail"), {}, connection(), CursorType::Keyset);
        // The lines end at the first row whose branch and delivery identity (columns 2 and 3)
        // are both empty; column 1 is the tick.
        for (const int row : GridLines(grid(), 2, 3)) {
            const GridRow line(grid(), row);
            if (!line.ticked(1))
                continue;
            detail.addNew();
            saveLine(detail, line);
            detail.update();
        }
        return true;
    });
}

// One invoice line from its grid row; its serial is the grid row, so an unticked row leaves a gap.
void SalesInvoice::saveLine(Recordset &detail, const GridRow &line) {
    auto textIfNotBlank = [&](QStringView column, int col) {
        if (!text::isBlank(line.text(col)))
            detail.setValue(column, line.text(col));
    };
    detail.setValue(u"Sales_Inv_No", m_SalesInvNo);
    detail.setValue(u"SL_No", line.row());
    textIfNotBlank(u"Delivery_Identity", 3);
    textIfNotBlank(u"Delivery_Date", 4);
    if (const QString code = line.trimmed(5); !code.isEmpty())
        detail.setValue(u"Item_Code", m_CompanyPrefix + code);
    if (const QString name = line.trimmed(6); !name.isEmpty())
        detail.setValue(u"Item_Name", name);
    detail.setValue(u"Unit_Code", line.number(7));
    if (!text::isBlank(line.text(8))) {
        const UnitPeriod unit = line.unitPeriod(8);
        detail.setValue(u"Unit_Name", unit.unitName);
        if (!unit.periodType.isNull())
            detail.setValue(u"Period_Type", unit.periodType);
    }
    detail.setValue(u"FOC_Flag", line.cell(29));
    detail.setValue(u"Unit_Qty", line.number(9));
    detail.setValue(u"Sales_Inv_Qty", line.number(10));
    detail.setValue(u"Delivery_Qty", line.number(11));
    detail.setValue(u"Sales_Inv_FC_Unit_Price", line.number(12));
    detail.setValue(u"Sales_Inv_Dtl_FC_Disc_Amount", line.cell(13));
    detail.setValue(u"Sales_Ord_Overall_FC_Disc", line.number(14));
    detail.setValue(u"Sales_Inv_FC_Item_Amount", line.number(16));
    detail.setValue(u"Sales_Inv_Unit_Price", line.cell(20));
    detail.setValue(u"Sales_Inv_Dtl_Disc_Amount", line.cell(17));
    detail.setValue(u"Sales_Ord_Overall_Disc", line.number(23));
    detail.setValue(u"Sales_Inv_Item_Amount", line.cell(15));
    detail.setValue(u"Proj_No", exactText(line.text(18)));
    detail.setValue(u"Delivery_Dtl_SL_No", line.number(19));
    detail.setValue(u"Delivery_Flag", exactText(line.text(21)));
    if (!text::isBlank(line.text(21)))
        detail.setValue(u"Delivery_No", line.text(22));
    if (!line.text(26).isEmpty())
        detail.setValue(u"Address_Code", line.text(26));
    if (!line.text(28).isEmpty())
        detail.setValue(u"Delivery_Ref_No", line.text(28));
    if (const double price = line.cell(30); price != 0)
        detail.setValue(u"Delivery_Dtl_FC_Unit_Price", price);
    detail.setValue(u"Last_Update", m_LastUpdate);
}

QString SalesInvoice::GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                                  const QString &WhereFldValue) {
    bool quoted = false;
    return GetFldValue(TblName, fldName, WhereFldName, WhereFldValue, quoted);
}

QString SalesInvoice::GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                                  const QString &WhereFldValue, bool &WhereFldNumYN, const QString &SecondWhereFldName,
                                  const QString &SecondWhereFldValue, bool SecdWhereFldNumYN) {
    QString problem;
    try {
        const QString field = plainName(fldName);
        QString sql = QStringLiteral("Select %1 from %2").arg(field, plainName(TblName));
        QVariantList values;
        if (!text::isBlank(WhereFldName)) {
            sql += QStringLiteral(" Where %1=?").arg(plainName(WhereFldName));
            values << conditionValue(WhereFldValue, WhereFldNumYN);
            if (!SecondWhereFldName.isEmpty()) {
                sql += QStringLiteral(" and %1=?").arg(plainName(SecondWhereFldName));
                values << conditionValue(SecondWhereFldValue, SecdWhereFldNumYN);
            }
        }
        Recordset rows;
        rows.open(sql, values, m_ADOConnectionString, CursorType::Static);
        if (rows.eof())
            return {};
        const QVariant value = rows.value(field);
        return value.isNull() ? QString() : fieldText(value);
    } catch (const std::exception &error) {
        const auto *known = dynamic_cast<const OrbError *>(&error);
        problem = known ? known->description() : QString::fromUtf8(error.what());
    }
    emit notification(problem, QCoreApplication::applicationName(), QStringLiteral("OK"),
                      QStringLiteral("Information"));
    return {};
}

// The invoice's own lookup with one quoted condition, as its postings use it.
QString SalesInvoice::lookUp(const QString &table, const QString &field, const QString &whereField,
                             const QString &whereValue) {
    bool quoted = false;
    return GetFldValue(table, field, whereField, whereValue, quoted);
}

} // namespace orbsales
