#include "orbsales/services/package/books_numbers.h"

#include "orbsales/data/connection.h"

namespace orbsales::package {

namespace {

struct NumberedDocument {
    const char *kind; // as a breach names it
    const char *master;
    const char *detail; // nullptr when the document keeps no lines
    const char *number;
    const char *identity;
};

constexpr NumberedDocument kDocuments[] = {
    {"quotation", "Sales_Quotation_Master", "Sales_Quotation_Detail", "Sales_Quot_No", "Sales_Quot_Identity"},
    {"sales order", "Sales_Order_Master", "Sales_Order_Detail", "Sales_Ord_No", "Sales_ord_Identity"},
    {"delivery", "Delivery_Master", "Delivery_Detail", "Delivery_No", "Delivery_Identity"},
    {"direct delivery", "Direct_Delivery_Master", "Direct_Delivery_Detail", "Direct_Delivery_No",
     "Direct_Delivery_Identity"},
    {"invoice", "Sales_Invoice_Master", "Sales_Invoice_Detail", "Sales_Inv_No", "Sales_Inv_Identity"},
    {"direct sales invoice", "Direct_Sales_Invoice_Master", "Direct_Sales_Invoice_Detail", "Dir_Sales_Inv_No",
     "Dir_Sales_Inv_Identity"},
    {"cash memo", "Cash_Memo_Master", "Cash_Memo_Detail", "Cash_Memo_No", "Cash_Memo_Identity"},
    {"sales return", "Sales_Return_Master", "Sales_Return_Detail", "Sales_Rtn_No", "Sales_Rtn_Identity"},
    {"receipt", "Receipt_Master", nullptr, "Receipt_No", "Receipt_Identity"},
    {"voucher", "Voucher_Master", "Voucher_Detail", "Voucher_No", "Voucher_Identity"},
};

void checkTwice(Connection &connection, const NumberedDocument &document, QStringList &breaches) {
    const Connection::Result twice = connection.select(
        QStringLiteral("Select %2, count(*) from %1 Group by %2 Having count(*) > 1 Order by %2")
            .arg(QLatin1String(document.master), QLatin1String(document.number)));
    for (const QVariantList &row : twice.rows)
        breaches << QStringLiteral("Number %1 is held by %2 rows of %3")
                        .arg(row.at(0).toString())
                        .arg(row.at(1).toInt())
                        .arg(QLatin1String(document.master));
}

void checkLines(Connection &connection, const NumberedDocument &document, QStringList &breaches) {
    if (!document.detail)
        return;
    const QString master = QLatin1String(document.master);
    const QString detail = QLatin1String(document.detail);
    const QString number = QLatin1String(document.number);
    // Lines left under a temporary number when processing stopped half-way are listed with the
    // half-done documents (books_halfdone.h); lines under a final number have no such excuse.
    const Connection::Result lost = connection.select(
        QStringLiteral("Select D.%3, count(*) from %2 D Where D.%3 not like '%TMP%' and not exists (Select 1 "
                       "from %1 M Where M.%3 = D.%3) Group by D.%3 Order by D.%3")
            .arg(master, detail, number));
    for (const QVariantList &row : lost.rows)
        breaches << QStringLiteral("%1 holds %2 line(s) under %3, which no %4 holds")
                        .arg(detail)
                        .arg(row.at(1).toInt())
                        .arg(row.at(0).toString(), QLatin1String(document.kind));
    const Connection::Result doubled = connection.select(
        QStringLiteral("Select %2, SL_No, count(*) from %1 Group by %2, SL_No Having count(*) > 1 Order by %2, SL_No")
            .arg(detail, number));
    for (const QVariantList &row : doubled.rows)
        breaches << QStringLiteral("The %1 %2 holds %3 lines with serial %4")
                        .arg(QLatin1String(document.kind), row.at(0).toString())
                        .arg(row.at(2).toInt())
                        .arg(row.at(1).toString());
}

// Final numbers only: a temporary number ("...TMP...") is never given as a final one.
void checkCounters(Connection &connection, const NumberedDocument &document, QStringList &breaches) {
    const Connection::Result behind = connection.select(
        QStringLiteral("Select C.Company_Prefix, C.Branch_Prefix, C.Document_Prefix, C.Document_Next_No, MAX(M.%2) "
                       "from Document_Prefix C Join %1 M on M.Company_Prefix = C.Company_Prefix and "
                       "M.Branch_Prefix = C.Branch_Prefix and M.Document_Prefix = C.Document_Prefix "
                       "Where M.%3 not like '%TMP%' "
                       "Group by C.Company_Prefix, C.Branch_Prefix, C.Document_Prefix, C.Document_Next_No "
                       "Having MAX(M.%2) >= C.Document_Next_No")
            .arg(QLatin1String(document.master), QLatin1String(document.identity), QLatin1String(document.number)));
    for (const QVariantList &row : behind.rows)
        breaches << QStringLiteral("Counter %1%2%3 gives %4 next, but a %5 already carries identity %6")
                        .arg(row.at(0).toString(), row.at(1).toString(), row.at(2).toString(), row.at(3).toString(),
                             QLatin1String(document.kind), row.at(4).toString());
}

} // namespace

void checkDocumentNumbers(Connection &connection, QStringList &breaches) {
    for (const NumberedDocument &document : kDocuments) {
        checkTwice(connection, document, breaches);
        checkLines(connection, document, breaches);
        checkCounters(connection, document, breaches);
    }
}

} // namespace orbsales::package
