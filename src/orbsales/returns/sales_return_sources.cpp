#include "orbsales/returns/sales_return.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/source_lines.h"
#include "orbsales/frame/registry.h"
#include "orbsales/grid/grid_rules.h"
#include "orbsales/grid/unit_period.h"
#include "orbsales/returns/return_sources.h"
#include "orbsales/returns/returns_messages.h"
#include "orbsales/services/general.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

#include <QHash>

namespace orbsales {

namespace msg = returns_messages;

namespace {

// Quantities are compared to the stored precision: what a source line still has to return.
constexpr double kQuantityTolerance = 1e-9;

QString numberCell(double value) { return numbers::numberText(value); }

void writeLine(LineGrid &grid, int row, const ReturnableLine &line) {
    const double returnable = line.returnable();
    grid.setCellText(row, 1, QStringLiteral("0"));
    if (!line.itemCode.isNull())
        grid.setCellText(row, 2, line.itemCode.toString().mid(2));
    gridrules::writeText(grid, row, 3, line.itemName);
    gridrules::writeNumber(grid, row, 4, line.unitCode);
    if (!line.unitName.isNull())
        grid.setCellText(row, 5, joinUnitPeriod(line.unitName.toString(), line.periodType));
    gridrules::writeNumber(grid, row, 6, line.unitQty);
    grid.setCellText(row, 7, numberCell(returnable));
    grid.setCellText(row, 21, numberCell(returnable));
    grid.setCellText(row, 8, numberCell(line.fcUnitPrice));
    grid.setCellText(row, 17, numberCell(line.unitPrice));
    grid.setCellText(row, 9, numberCell(line.discountPercent));
    grid.setCellText(row, 10, numberCell(line.fcDiscount));
    grid.setCellText(row, 22, numberCell(line.fcDiscount));
    grid.setCellText(row, 14, numberCell(line.discount));
    grid.setCellText(row, 23, numberCell(line.discount));
    grid.setCellText(row, 11, line.column11);
    grid.setCellText(row, 24, line.column24);
    // Once part of the line has come back, the amounts are those of the returnable quantity:
    // price less line discount, less its share of the overall discount.
    if (line.returned > 0) {
        const double part = line.quantity == 0 ? 0 : returnable / line.quantity;
        grid.setCellText(row, 12,
                         numberCell(returnable * (line.fcUnitPrice - line.fcDiscount) - line.fcOverallShare * part));
        grid.setCellText(row, 13, numberCell(returnable * (line.unitPrice - line.discount) - line.overallShare * part));
    } else {
        grid.setCellText(row, 12, numberCell(line.fcAmount));
        grid.setCellText(row, 13, numberCell(line.amount));
    }
    if (!line.project.isNull()) {
        grid.setCellText(row, 26, line.project.toString().mid(7));
        grid.setCellText(row, 18, line.project.toString());
    }
    gridrules::writeText(grid, row, 25, line.unitName);
    // The cost of the returnable quantity at the line's cost per unit (an invoice line is valued
    // at the cost of the delivery line it bills).
    const double unitCost = line.valuedQuantity == 0 ? 0 : line.inventoryValue / line.valuedQuantity;
    const bool whole = line.returned <= 0 && line.valuedQuantity == line.quantity;
    const QString value = numberCell(whole ? line.inventoryValue : returnable * unitCost);
    grid.setCellText(row, 15, value);
    grid.setCellText(row, 27, value);
    gridrules::writeText(grid, row, 20, line.locationId.isNull() ? QVariant() : QVariant(line.locationId.toString()));
    gridrules::writeText(grid, row, 19, line.locationName);
    gridrules::writeNumber(grid, row, 28, line.serial);
}

bool listed(const LineGrid &grid, const QString &code) {
    for (int row = 1; row < grid.rowCount(); ++row)
        if (grid.cellText(row, 2) == code)
            return true;
    return false;
}

} // namespace

bool SalesReturn::loadReturnable(const ReturnSourceKind &kind, const QString &sourceNo, LineGrid *target) {
    Recordset rows;
    const QVariantList values(kind.statement.count(QLatin1Char('?')), sourceNo);
    rows.open(kind.statement, values, m_ConnectionString, CursorType::Static);
    if (rows.eof())
        return kind.emptyMessage.isEmpty() ? true : fail(kind.emptyMessage);
    columns::textIfSet(rows, QString::fromLatin1(kind.numberField), m_RefNo);
    if (!rows.isNull(QString::fromLatin1(kind.dateField)))
        setRefDate(rows.date(QString::fromLatin1(kind.dateField)));
    columns::textIfSet(rows, u"Currency_Code", m_CurrencyCode);
    columns::flagIfSet(rows, u"Foreign_Currency_Flag", m_ForeignCurrencyFlag);
    columns::textIfSet(rows, u"Customer_Code", m_CustomerCode);
    columns::textIfSet(rows, QString::fromLatin1(kind.customerNameField), m_CustomerName);
    columns::numberIfSet(rows, u"Exchange_Rate", m_ExchangeRate);
    columns::textIfSet(rows, u"Payment_Type", m_PaymentType);

    LineGrid &lines = required(target);
    lines.setRowCount(1);
    for (; !rows.eof(); rows.moveNext()) {
        const ReturnableLine line = kind.read(rows);
        if (!line.itemCode.isNull() && listed(lines, line.itemCode.toString().mid(2)))
            continue; // an item is listed once
        lines.setRowCount(lines.rowCount() + 1);
        writeLine(lines, lines.rowCount() - 1, line);
    }
    return true;
}

bool SalesReturn::Get_Sales_Invoice(QString &pInvNo, LineGrid *&Grid, bool) {
    return trapped([&] { return loadReturnable(invoiceSource(), pInvNo, Grid); });
}

bool SalesReturn::Get_Direct_Sales_Invoice(QString &pInvNo, LineGrid *&Grid, bool) {
    return trapped([&] { return loadReturnable(directInvoiceSource(), pInvNo, Grid); });
}

bool SalesReturn::Get_Delivery(QString &pInvNo, LineGrid *&Grid, bool) {
    return trapped([&] { return loadReturnable(deliverySource(), pInvNo, Grid); });
}

bool SalesReturn::Get_Direct_Delivery(QString &pInvNo, LineGrid *&Grid, bool) {
    return trapped([&] { return loadReturnable(directDeliverySource(), pInvNo, Grid); });
}

bool SalesReturn::Get_CashMemo(QString &pInvNo, LineGrid *&Grid, bool) {
    return trapped([&] { return loadReturnable(cashMemoSource(), pInvNo, Grid); });
}

// The source type handed to Update_Source: SalesInvoiceType, or the return's own RefDocType when
// the front end left it empty.
QString SalesReturn::sourceType() const {
    return text::isBlank(m_SalesInvoiceType) ? m_RefDocType : m_SalesInvoiceType;
}

bool SalesReturn::Update_Source(Connection *&Cn, QString &pDocNo, double &pQty, QString &pSource, QString &pItemCode,
                                qint32 &pRefSLNO) {
    return trapped([&] {
        const ReturnSourceKind *kind = sourceKindOf(pSource);
        if (kind == nullptr)
            return true;
        Connection &connection = required(Cn);
        const SourceLineKey key{QString::fromLatin1(kind->detailTable), QString::fromLatin1(kind->numberColumn),
                                pDocNo, pItemCode, QString(), pRefSLNO};
        Recordset line;
        if (!openSourceLine(line, connection, key))
            return true;
        const QString quantityColumn = QString::fromLatin1(kind->quantityColumn);
        const double quantity = columns::numberOrZero(line, quantityColumn);
        const double returned = columns::numberOrZero(line, u"Return_Qty") + pQty;
        // Never more back than went out, never below nothing.
        if (returned > quantity + kQuantityTolerance || returned < -kQuantityTolerance)
            return fail(msg::moreThanReturnable(pItemCode.mid(2), pQty,
                                                quantity - columns::numberOrZero(line, u"Return_Qty"), pDocNo));
        // Raised by the statement itself, and only while it stays within what went out: two returns
        // of one line at once each add their own, and together cannot bring back more than was sold.
        const int raised = connection.execute(
            QStringLiteral("Update %1 Set Return_Qty = COALESCE(Return_Qty, 0) + ? Where Row_Id = ? and "
                           "COALESCE(Return_Qty, 0) + ? <= %2 + ?")
                .arg(QString::fromLatin1(kind->detailTable), quantityColumn),
            {pQty, line.value(u"Row_Id"), pQty, kQuantityTolerance});
        if (raised == 0)
            return fail(msg::moreThanReturnable(pItemCode.mid(2), pQty, quantity - returned + pQty, pDocNo));
        line.setValue(u"Last_Update", m_LastUpdate);
        const bool invoice = pSource == QLatin1String("INV");
        if (invoice && returned == quantity)
            line.setValue(u"parentsalesInv_allitemsreturned", 1);
        line.update();
        if (!invoice)
            return true;
        Recordset billed;
        billed.open(QStringLiteral("Select * from Sales_Invoice_Detail where Delivery_No=? And Item_Code=? "),
                    {columns::textOrEmpty(line, u"Delivery_No"), pItemCode}, connection, CursorType::Keyset);
        for (; !billed.eof(); billed.moveNext()) {
            if (columns::numberOrZero(billed, u"Sales_Inv_Qty") != columns::numberOrZero(billed, u"Return_Qty"))
                continue;
            billed.setValue(u"parentsalesInv_allitemsreturned", 1);
            billed.update();
        }
        return true;
    });
}

bool SalesReturn::UpdateReturnSource() {
    return trapped([this] {
        Recordset lines;
        lines.open(QStringLiteral("Select * from Sales_Return_Detail Where Sales_Rtn_No=?"), {m_SalesRtnNo},
                   connection(), CursorType::Static);
        QString source = sourceType();
        for (; !lines.eof(); lines.moveNext()) {
            Connection *handed = &connection();
            QString documentNo = m_RefNo;
            // Returned quantities are kept in the source line's own unit, the unit the return
            // line was copied in.
            double quantity = columns::numberOrZero(lines, u"Sales_Rtn_Qty");
            QString itemCode = columns::textOrEmpty(lines, u"Item_Code");
            qint32 serial = numbers::toLong(columns::numberOrZero(lines, u"Ref_SL_No"));
            const bool updated = Update_Source(handed, documentNo, quantity, source, itemCode, serial);
            m_adoConnection.set(handed); // the reference handed over is taken back
            if (!updated)
                return false;
        }
        return true;
    });
}

// Before anything is written: each stored line can still be returned on its source line, also
// when two lines point at the same source line.
bool SalesReturn::checkStoredLinesAgainstSource() {
    const ReturnSourceKind *kind = sourceKindOf(sourceType());
    if (kind == nullptr)
        return true;
    Recordset lines;
    lines.open(QStringLiteral("Select * from Sales_Return_Detail Where Sales_Rtn_No=?"), {m_SalesRtnNo}, connection(),
               CursorType::Static);
    QHash<QString, double> asked;
    for (; !lines.eof(); lines.moveNext()) {
        const QString itemCode = columns::textOrEmpty(lines, u"Item_Code");
        const QVariant serial = numbers::toLong(columns::numberOrZero(lines, u"Ref_SL_No"));
        const QString key = itemCode + QLatin1Char('|') + serial.toString();
        asked[key] += columns::numberOrZero(lines, u"Sales_Rtn_Qty");
        Recordset source;
        const SourceLineKey sourceKey{QString::fromLatin1(kind->detailTable), QString::fromLatin1(kind->numberColumn),
                                      m_RefNo, itemCode, QString(), serial};
        if (!openSourceLine(source, connection(), sourceKey))
            return fail(msg::sourceLineMissing(itemCode.mid(2), serial.toString(), m_RefNo));
        const double returnable = columns::numberOrZero(source, QString::fromLatin1(kind->quantityColumn)) -
                                  columns::numberOrZero(source, u"Return_Qty");
        if (asked.value(key) > returnable + kQuantityTolerance)
            return fail(msg::moreThanReturnable(itemCode.mid(2), asked.value(key), returnable, m_RefNo));
    }
    return true;
}

QString SalesReturn::lookup(const QString &table, const QString &field, const QString &whereField,
                            const QString &whereValue, bool whereNumeric, const QString &secondField,
                            const QString &secondValue, bool secondNumeric) {
    QString answer;
    trapped([&] {
        // The package's one-column lookup, on this object's connection string.
        auto general = createObject<General>(service_ids::kGeneral);
        general->setADOConnectionString(m_ConnectionString);
        answer = general->GetFldValue(table, field, whereField, whereValue, whereNumeric, secondField, secondValue,
                                      secondNumeric);
        if (!general->ErrDesc().isEmpty())
            setErrDesc(general->ErrDesc());
        return true;
    });
    return answer;
}

QString SalesReturn::GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                                 const QString &WhereFldValue) {
    return lookup(TblName, fldName, WhereFldName, WhereFldValue, false, QString(), QString(), false);
}

QString SalesReturn::GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                                 const QString &WhereFldValue, bool &WhereFldNumYN, const QString &SecondWhereFldName,
                                 const QString &SecondWhereFldValue, bool SecdWhereFldNumYN) {
    return lookup(TblName, fldName, WhereFldName, WhereFldValue, WhereFldNumYN, SecondWhereFldName,
                  SecondWhereFldValue, SecdWhereFldNumYN);
}

// A row exists when its column, looked up under the same conditions, answers a value.
bool SalesReturn::ExistDocument(const QString &strTblName, const QString &strFldName, const QString &DocNo) {
    bool numeric = false;
    return ExistDocument(strTblName, strFldName, DocNo, numeric);
}

bool SalesReturn::ExistDocument(const QString &strTblName, const QString &strFldName, const QString &DocNo,
                                bool &WhereFldNumYN, const QString &SecondWhereFldName,
                                const QString &SecondWhereFldValue, bool SecdWhereFldNumType) {
    return !lookup(strTblName, strFldName, strFldName, DocNo, WhereFldNumYN, SecondWhereFldName, SecondWhereFldValue,
                   SecdWhereFldNumType)
                .isEmpty();
}

} // namespace orbsales
