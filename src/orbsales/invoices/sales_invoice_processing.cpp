#include "orbsales/invoices/sales_invoice.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/data/recordset.h"
#include "orbsales/documents/source_lines.h"
#include "orbsales/invoices/invoice_messages.h"
#include "orbsales/numbering/processing_mode.h"
#include "orbsales/numbering/renumbering.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/text.h"

#include <optional>

namespace orbsales {

namespace msg = invoice_messages;
using columns::numberOrZero;
using columns::textOrEmpty;

namespace {

// Lines of a delivery note carry "SalesOrder", lines of a direct delivery "Direct"; the
// processing and the cancellation take the kind in any letter case.
bool isKind(const QString &flag, const char *kind) {
    return flag.compare(QLatin1String(kind), Qt::CaseInsensitive) == 0;
}

// Resets the processing switch when the reload is over, also when it raised an error.
class LinesSkipped {
public:
    explicit LinesSkipped(bool &skip) : m_skip(skip) { m_skip = true; }
    ~LinesSkipped() { m_skip = false; }
    LinesSkipped(const LinesSkipped &) = delete;
    LinesSkipped &operator=(const LinesSkipped &) = delete;

private:
    bool &m_skip;
};

} // namespace

// Without an error trap, but with the operation boundary: AtomicFlag undoes what was written
// before an error that reaches the caller.
bool SalesInvoice::Process_Invoice() {
    return untrapped([this] { return processInvoice(Variant::Standard); });
}

bool SalesInvoice::Process_Invoice123() {
    return untrapped([this] { return processInvoice(Variant::Plain); });
}

// The frame both variants walk. No error trap: an error in these steps reaches the caller, and
// what was written before it stays.
bool SalesInvoice::processInvoice(Variant variant) {
    m_variant = variant;
    m_discounts = {};
    m_reinvoicing.reset();
    if (!reloadHeader())
        return false;
    {
        Recordset currency;
        currency.open(QStringLiteral("Select * from Currency_Master Where Currency_Code=?"), {m_CurrencyCode},
                      connection(), CursorType::Static);
        if (currency.eof())
            return fail(msg::kInvalidCurrencyCode);
        m_CurrencySymbol = text::trimBlanks(currency.text(u"Currency_Symbol"));
    }
    Recordset master;
    master.open(QStringLiteral("Select * from Sales_Invoice_Master Where Sales_Inv_No=?"), {m_SalesInvNo}, connection(),
                CursorType::Keyset);
    if (master.eof())
        return fail(msg::kInvalidInvoiceNo);

    const ProcessingMode mode = ProcessingMode::of(m_OnlineFlag, m_SyncFlag);
    // The plain variant always numbers from the counter.
    const bool manual = variant == Variant::Standard && m_ManualDocFlag;
    std::optional<CounterUse> counter;
    if (mode.isSynchronisation()) {
        m_SalesInvIdentity = master.integer(u"Sales_Inv_Identity");
    } else {
        qint32 identity = 0;
        if (manual) {
            identity = manualIdentity(m_manualDocIdentity);
        } else {
            m_CompanyPrefix = master.text(u"Company_Prefix");
            m_BranchPrefix = master.text(u"Branch_Prefix");
            m_DocumentPrefix = documentPrefixOf(m_SalesInvNo);
            counter.emplace(prefixes(), CounterUse::Form::OneArgument);
            if (!counter->take(m_adoConnection, errDescTarget()))
                return false;
            identity = counter->identity();
        }
        m_SalesInvIdentity = identity;
        if (!renumber(master, variant, documentNumber(prefixes(), identity), identity))
            return false;
    }
    master.close();

    if (!processLines(variant, mode.updatesSource(), mode.posts()))
        return false;
    // The home discount is the foreign one at the invoice's rate (the line terms summed in home
    // currency are not used).
    if (variant == Variant::Standard)
        m_discounts.home = numbers::roundHalfEven(m_discounts.foreign * m_ExchangeRate, m_AmtDig);
    // Offline: the counter is not advanced (taking the number reserved it), but a typed number
    // raises the counter past itself as in every mode, or the counter would give it again.
    if (mode.isOffline()) {
        if (manual)
            raiseCounterPastManual(connection(), prefixes(), manualIdentity(m_manualDocIdentity));
        return true;
    }
    if (!Post_Discount() || !Post_Receivable())
        return false;
    if (manual) {
        raiseCounterPastManual(connection(), prefixes(), manualIdentity(m_manualDocIdentity));
        return true;
    }
    if (mode.isOnline() && counter)
        return counter->consume(errDescTarget());
    return true;
}

// Get_Invoice without touching the grid: the switch is set around the reload only.
bool SalesInvoice::reloadHeader() {
    LinesSkipped skipped(m_skipLines);
    return Get_Invoice();
}

// The final number on the master (now processed) and on every line. The standard variant
// requires lines under the temporary number; the plain one renumbers them in one statement.
bool SalesInvoice::renumber(Recordset &master, Variant variant, const QString &finalNo, qint32 identity) {
    const QString temporaryNo = m_SalesInvNo;
    setFinalNumber(master, u"Sales_Inv_No", u"Sales_Inv_Identity", finalNo, identity);
    master.setValue(u"Processed_Flag", 1);
    master.setValue(u"Last_Update", m_LastUpdate);
    master.update();
    if (variant == Variant::Standard) {
        Recordset lines;
        lines.open(QStringLiteral("Select * from Sales_Invoice_Detail Where Sales_Inv_No=?"), {temporaryNo},
                   connection(), CursorType::Keyset);
        if (lines.eof())
            return fail(msg::kInvalidTemporaryInvoiceNo);
        moveLinesToFinalNumber(lines, u"Sales_Inv_No", finalNo, m_LastUpdate);
    } else {
        connection().execute(QStringLiteral("Update Sales_Invoice_Detail set Sales_Inv_No=?, Last_Update =? Where "
                                            "Sales_Inv_No=?"),
                             {finalNo, m_LastUpdate, temporaryNo});
    }
    m_SalesInvNo = finalNo;
    return true;
}

bool SalesInvoice::processLines(Variant variant, bool updatesSource, bool posts) {
    Recordset lines;
    lines.open(QStringLiteral("Select * from Sales_Invoice_Detail Where Sales_Inv_No=?"), {m_SalesInvNo}, connection(),
               CursorType::Static);
    for (; !lines.eof(); lines.moveNext()) {
        if (updatesSource) {
            const qint32 serial = lines.integer(u"SL_No");
            const bool ofDelivery = isKind(textOrEmpty(lines, u"Delivery_Flag"), "SalesOrder");
            if (!(ofDelivery ? Update_Delivery_Invoiced_Qty(serial) : Update_DirectDelivery_Invoiced_Qty(serial)))
                return false;
        }
        if (!posts)
            continue;
        if (variant == Variant::Standard) {
            if (!Save_Sales_Log(lines) || !Post_Sales_Line(lines))
                return false;
        } else if (!logSalePlainly(lines) || !postSalesLinePlainly(lines)) {
            return false;
        }
    }
    return true;
}

bool SalesInvoice::Update_Delivery_Invoiced_Qty(qint32 SL_No) {
    return trapped([&] { return updateInvoicedQty(SL_No, false); });
}

bool SalesInvoice::Update_DirectDelivery_Invoiced_Qty(qint32 SL_No) {
    return trapped([&] { return updateInvoicedQty(SL_No, true); });
}

// The delivery (note or direct) is marked invoiced by its first invoiced line, whatever remains
// open; the delivery line's invoiced quantity rises by the invoiced quantity.
bool SalesInvoice::updateInvoicedQty(qint32 serial, bool direct) {
    Recordset line;
    line.open(QStringLiteral("Select * from Sales_Invoice_Detail Where Sales_Inv_No=? and SL_No=?"),
              {m_SalesInvNo, serial}, connection(), CursorType::Static);
    const QString deliveryNo = textOrEmpty(line, u"Delivery_No");
    if (isKind(textOrEmpty(line, u"Delivery_Flag"), direct ? "Direct" : "SalesOrder")) {
        Recordset delivery;
        delivery.open(direct ? QStringLiteral("Select Invoiced_Flag,Last_Update from Direct_Delivery_Master Where "
                                              "Direct_Delivery_No=?")
                             : QStringLiteral("Select Invoiced_Flag,Last_Update From Delivery_Master Where "
                                              "Delivery_No=?"),
                      {deliveryNo}, connection(), CursorType::Keyset);
        if (!delivery.eof()) {
            delivery.setValue(u"Invoiced_Flag", 1);
            delivery.setValue(u"Last_Update", m_LastUpdate);
            delivery.update();
        }
    }
    const SourceLineKey key{direct ? QStringLiteral("Direct_Delivery_Detail") : QStringLiteral("Delivery_Detail"),
                            direct ? QStringLiteral("Direct_Delivery_No") : QStringLiteral("Delivery_No"),
                            deliveryNo,
                            textOrEmpty(line, u"Item_Code"),
                            textOrEmpty(line, u"Item_Name"),
                            line.value(u"Delivery_Dtl_SL_No")};
    if (!addToSourceLine(connection(), key, u"Invoiced_Qty", numberOrZero(line, u"Sales_Inv_Qty"), m_LastUpdate))
        return fail(msg::kInvalidItemDetails);
    return true;
}

// Whether goods hired out are invoiced again: the first RentOptions row's flag, read once per
// processing run (no row: off).
bool SalesInvoice::reinvoicing() {
    if (!m_reinvoicing) {
        Recordset options;
        options.open(QStringLiteral("select * from RentOptions"), {}, connection(), CursorType::Static);
        m_reinvoicing = !options.eof() && readRentFlag(options) != 0;
    }
    return *m_reinvoicing;
}

} // namespace orbsales
