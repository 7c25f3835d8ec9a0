#include "orbsales/invoices/sales_invoice.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/posting.h"
#include "orbsales/documents/source_lines.h"
#include "orbsales/frame/registry.h"
#include "orbsales/invoices/invoice_messages.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general.h"
#include "orbsales/services/general_ledger.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/text.h"

namespace orbsales {

namespace msg = invoice_messages;
using columns::numberOrZero;
using columns::textOrEmpty;

bool SalesInvoice::Cancel_Invoice() {
    return trapped([this] {
        if (!m_adoConnection.isOpen())
            return fail(msg::kInvalidConnectionObject);
        if (text::isBlank(m_SalesInvNo))
            return fail(msg::kInvalidInvoiceNo);
        {
            // Only an invoice that reached the receivable can be cancelled.
            auto general = createObject<General>(service_ids::kGeneral);
            general->setAdoConnectionObject(&connection());
            if (!posting::answered(general->ExistDocument(QStringLiteral("Accounts_Receivable_Ledger"),
                                                          QStringLiteral("Document_No"), m_SalesInvNo, false),
                                   *general, errDescTarget()))
                return false;
        }
        Recordset master;
        master.open(QStringLiteral("Select * from Sales_Invoice_Master where Sales_Inv_No=?"), {m_SalesInvNo},
                    connection(), CursorType::Keyset);
        const bool processed = columns::isTrue(master, u"Processed_Flag");
        // Receipts applied lower the balance below the total: such an invoice stays.
        if (processed && numberOrZero(master, u"Sales_Inv_Total_Amount") != numberOrZero(master, u"Balance_Amount"))
            return fail(msg::kAlreadyAdjusted);
        master.setValue(u"Cancel_Flag", 1);
        master.setValue(u"Processed_Flag", 0);
        master.setValue(u"Last_Update", m_LastUpdate);
        master.update();
        master.close();
        if (!processed)
            return true;

        // Marked cancelled first: a failure from here on leaves it marked.
        {
            auto receivable = createObject<AccountsReceivable>(service_ids::kAccountsReceivable);
            receivable->setAdoConnectionObject(&connection());
            receivable->setDocumentNo(m_SalesInvNo);
            if (!posting::answered(receivable->ARL_Delete(), *receivable, errDescTarget()))
                return false;
        }
        {
            auto ledger = createObject<GeneralLedger>(service_ids::kGeneralLedger);
            ledger->setAdoConnectionObject(&connection());
            ledger->setDocumentNo(m_SalesInvNo);
            ledger->setLastUpdate(m_LastUpdate);
            if (!posting::answered(ledger->GLDelete(), *ledger, errDescTarget()))
                return false;
        }
        Recordset lines;
        lines.open(QStringLiteral("Select * from Sales_Invoice_Detail Where Sales_Inv_No=?"), {m_SalesInvNo},
                   connection(), CursorType::Static);
        for (; !lines.eof(); lines.moveNext()) {
            const bool ofDelivery =
                textOrEmpty(lines, u"Delivery_Flag").compare(QLatin1String("SalesOrder"), Qt::CaseInsensitive) == 0;
            if (!(ofDelivery ? Reverse_Delivery_Invoiced_Qty(lines) : Reverse_DirectDelivery_Invoiced_Qty(lines)))
                return false;
        }
        return true;
    });
}

bool SalesInvoice::Reverse_Delivery_Invoiced_Qty(Recordset &line) { return reverseInvoicedQty(line, false); }

bool SalesInvoice::Reverse_DirectDelivery_Invoiced_Qty(Recordset &line) { return reverseInvoicedQty(line, true); }

// The delivery is offered again: its invoiced flag goes (even when another invoice still bills
// part of it) and its line takes the invoiced quantity back.
bool SalesInvoice::reverseInvoicedQty(Recordset &line, bool direct) {
    const QString deliveryNo = textOrEmpty(line, u"Delivery_No");
    if (direct)
        connection().execute(QStringLiteral("Update Direct_Delivery_Master set Invoiced_Flag=0, Last_Update =? Where "
                                            "Direct_Delivery_No=?"),
                             {m_LastUpdate, deliveryNo});
    else
        connection().execute(QStringLiteral("Update Delivery_Master set Invoiced_Flag=0 Where Delivery_No=?"),
                             {deliveryNo});
    const SourceLineKey key{direct ? QStringLiteral("Direct_Delivery_Detail") : QStringLiteral("Delivery_Detail"),
                            direct ? QStringLiteral("Direct_Delivery_No") : QStringLiteral("Delivery_No"),
                            deliveryNo,
                            textOrEmpty(line, u"Item_Code"),
                            textOrEmpty(line, u"Item_Name"),
                            line.value(u"Delivery_Dtl_SL_No")};
    if (!addToSourceLine(connection(), key, u"Invoiced_Qty", -numberOrZero(line, u"Sales_Inv_Qty"), m_LastUpdate))
        return fail(msg::kInvalidItemDetails);
    return true;
}

} // namespace orbsales
