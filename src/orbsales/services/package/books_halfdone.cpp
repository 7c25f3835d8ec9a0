#include "orbsales/services/package/books_halfdone.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/package_support.h"

#include <QStringList>
#include <cmath>
#include <map>

namespace orbsales::package {

// ---- the tables each document type adds a row to ----

const std::vector<DocumentTables> &documentTables() {
    static const std::vector<DocumentTables> tables{
        {"Quotation", "Sales_Quotation_Master", "Sales_Quotation_Detail", "Sales_Quot_No", nullptr},
        {"Order", "Sales_Order_Master", "Sales_Order_Detail", "Sales_Ord_No", "process_Flag"},
        {"Delivery", "Delivery_Master", "Delivery_Detail", "Delivery_No", "Processed_Flag"},
        {"Direct delivery", "Direct_Delivery_Master", "Direct_Delivery_Detail", "Direct_Delivery_No", "Processed_Flag"},
        {"Cash memo", "Cash_Memo_Master", "Cash_Memo_Detail", "Cash_Memo_No", "process_Flag"},
        {"Return", "Sales_Return_Master", "Sales_Return_Detail", "Sales_Rtn_No", "Processed_Flag"},
        {"Invoice", "Sales_Invoice_Master", "Sales_Invoice_Detail", "Sales_Inv_No", "Processed_Flag", true},
    };
    return tables;
}

const std::vector<SourceMark> &sourceMarks() {
    static const std::vector<SourceMark> marks{
        // Saving an order raised from a quotation marks the quotation processed first.
        {"Quotation",
         "Sales_Quotation_Master",
         "Sales_Quot_No",
         "process_Flag",
         "processed",
         {{"order", "Sales_Order_Master", "Sales_Quot_No"}}},
    };
    return marks;
}

const std::vector<HalfDoneCheck> &halfDoneChecks() {
    static const std::vector<HalfDoneCheck> checks{
        findLinesOfNoDocument,
        findDocumentsWithoutLines,
        findMarksWithoutReferrer,
        findOrderedQuantitiesNotMoved,
        findOpeningBalancesWithoutReceivable,
    };
    return checks;
}

QList<HalfDoneDocument> findHalfDoneDocuments(Connection &connection) {
    QList<HalfDoneDocument> found;
    for (const HalfDoneCheck check : halfDoneChecks())
        check(connection, found);
    return found;
}

// ---- the checks ----

namespace {

QString name(const char *text) { return QString::fromLatin1(text); }

// A temporary number holds "TMP" after the company, branch and document prefixes.
bool isTemporaryNumber(const QString &number) { return number.mid(7, 3) == QLatin1String("TMP"); }

QString lines(qint64 count) { return count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count); }

QString lowered(const char *document) { return name(document).toLower(); }

} // namespace

void findLinesOfNoDocument(Connection &connection, QList<HalfDoneDocument> &found) {
    for (const DocumentTables &type : documentTables()) {
        const Connection::Result rows = connection.select(
            QStringLiteral("Select D.%1, count(*) from %2 D Where not exists (Select 1 from %3 M Where M.%1 = D.%1) "
                           "Group by D.%1 Order by D.%1")
                .arg(name(type.number), name(type.detail), name(type.master)));
        for (const QVariantList &row : rows.rows) {
            const QString number = row.at(0).toString();
            const qint64 count = row.at(1).toLongLong();
            if (isTemporaryNumber(number))
                found << HalfDoneDocument{
                    QStringLiteral("%1 lines under temporary number %2").arg(name(type.document), number),
                    QStringLiteral("%1 left behind: no %2 holds that number any more, it was given its final number "
                                   "without them")
                        .arg(lines(count), lowered(type.document))};
            else
                found << HalfDoneDocument{QStringLiteral("%1 lines under %2").arg(name(type.document), number),
                                          QStringLiteral("%1 without their %2: no %2 has that number")
                                              .arg(lines(count), lowered(type.document))};
        }
    }
}

void findDocumentsWithoutLines(Connection &connection, QList<HalfDoneDocument> &found) {
    for (const DocumentTables &type : documentTables()) {
        if (type.mayHaveNoLines)
            continue;
        const QString processed =
            type.processed ? QStringLiteral("COALESCE(M.%1, 0)").arg(name(type.processed)) : QStringLiteral("0");
        const Connection::Result rows = connection.select(
            QStringLiteral("Select M.%1, %4 from %2 M Where not exists (Select 1 from %3 D Where D.%1 = M.%1) "
                           "Order by M.%1")
                .arg(name(type.number), name(type.master), name(type.detail), processed));
        for (const QVariantList &row : rows.rows) {
            const bool isProcessed = row.at(1).toInt() != 0;
            found << HalfDoneDocument{
                QStringLiteral("%1 %2").arg(name(type.document), row.at(0).toString()),
                isProcessed ? QStringLiteral("processed, but it has no lines: they were not moved to its final number")
                            : QStringLiteral("saved without its lines")};
        }
    }
}

void findMarksWithoutReferrer(Connection &connection, QList<HalfDoneDocument> &found) {
    for (const SourceMark &source : sourceMarks()) {
        QStringList conditions;
        QStringList referrers;
        for (const SourceMark::Referrer &referrer : source.referrers) {
            conditions << QStringLiteral("not exists (Select 1 from %1 R Where R.%2 = S.%3)")
                              .arg(name(referrer.table), name(referrer.column), name(source.number));
            referrers << name(referrer.document);
        }
        const Connection::Result rows =
            connection.select(QStringLiteral("Select S.%1 from %2 S Where COALESCE(S.%3, 0) <> 0 and %4 Order by S.%1")
                                  .arg(name(source.number), name(source.master), name(source.mark),
                                       conditions.join(QStringLiteral(" and "))));
        for (const QVariantList &row : rows.rows)
            found << HalfDoneDocument{QStringLiteral("%1 %2").arg(name(source.document), row.at(0).toString()),
                                      QStringLiteral("marked %1, but no %2 refers to it")
                                          .arg(name(source.marked), referrers.join(QStringLiteral(" or ")))};
    }
}

// Processing an order raises its items' ordered quantities (ordered less delivered, in base
// units: the unit's factor times the branch's base quantity; a delivery lowers them for stock and
// assembly items only, so a service stays on order) and cancelling it lowers them again,
// so each item's ordered quantity in a branch is what its processed, uncancelled orders still
// hold. The quantity is kept per item, not per order: the orders that hold the item are named,
// the latest first.
void findOrderedQuantitiesNotMoved(Connection &connection, QList<HalfDoneDocument> &found) {
    struct Item {
        double held = 0;
        double base = 1;
        bool hasRow = false;
        double open = 0; // in the order's units, times the unit factor
    };
    std::map<std::pair<QString, QString>, Item> items;
    for (const QVariantList &row :
         connection
             .select(QStringLiteral("Select Item_Code, Branch_Prefix, COALESCE(Ordered_Qty, 0), COALESCE(Base_Qty, 1) "
                                    "from Item_Master_Detail"))
             .rows) {
        Item &item = items[{row.at(0).toString(), row.at(1).toString()}];
        item.held = row.at(2).toDouble();
        item.base = row.at(3).toDouble();
        item.hasRow = true;
    }
    for (const QVariantList &row :
         connection
             .select(QStringLiteral(
                 "Select L.Item_Code, M.Branch_Prefix, SUM((COALESCE(L.Sales_Ord_Ordered_Qty, 0) - "
                 "CASE WHEN TRIM(COALESCE(I.Item_Type, '0')) IN ('0', '3') THEN COALESCE(L.Sales_Ord_Delivered_Qty, 0) "
                 "ELSE 0 END) * COALESCE(U.Unit_Qty, 1)) "
                 "from Sales_Order_Detail L join Sales_Order_Master M on M.Sales_Ord_No = L.Sales_Ord_No "
                 "left join Item_Detail U on U.Item_Code = L.Item_Code and U.Unit_Name = L.Unit_Name "
                 "left join Item_Master I on I.Item_Code = L.Item_Code "
                 "Where COALESCE(M.process_Flag, 0) <> 0 and COALESCE(M.Cancel_Flag, 0) = 0 and L.Item_Code <> '' "
                 "Group by L.Item_Code, M.Branch_Prefix"))
             .rows)
        items[{row.at(0).toString(), row.at(1).toString()}].open = row.at(2).toDouble();

    for (const auto &[key, item] : items) {
        const double expected = item.open * item.base;
        if (std::fabs(item.held - expected) <= 1e-6 * std::fmax(1.0, std::fabs(expected)))
            continue;
        const Connection::Result holders = connection.select(
            QStringLiteral(
                "Select M.Sales_Ord_No, M.Sales_ord_Identity from Sales_Order_Master M Where "
                "M.Branch_Prefix = ? and COALESCE(M.process_Flag, 0) <> 0 and COALESCE(M.Cancel_Flag, 0) = 0 "
                "and exists (Select 1 from Sales_Order_Detail L Where L.Sales_Ord_No = M.Sales_Ord_No and "
                "L.Item_Code = ?) Order by M.Sales_ord_Identity desc, M.Sales_Ord_No"),
            {key.second, key.first});
        QStringList orders;
        for (const QVariantList &row : holders.rows)
            orders << row.at(0).toString();
        constexpr int kNamed = 5;
        QString named = orders.mid(0, kNamed).join(QStringLiteral(", "));
        if (orders.size() > kNamed)
            named += QStringLiteral(" and %1 more").arg(orders.size() - kNamed);
        found << HalfDoneDocument{
            QStringLiteral("Item %1 in branch %2").arg(key.first, key.second),
            QStringLiteral("ordered quantity %1%2, but the processed orders still open hold %3%4: an order was "
                           "processed without raising its ordered quantities, or cancelled without lowering them")
                .arg(figure(item.held), item.hasRow ? QString() : QStringLiteral(" (no stock row)"), figure(expected),
                     named.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(named))};
    }
}

// A customer's opening balance is an invoice without lines, written and then posted to the
// receivable item by item: one without a receivable row stopped between the two. Only invoices of
// customers with opening-balance items count (other invoices without lines are written by other
// components, posted or not).
void findOpeningBalancesWithoutReceivable(Connection &connection, QList<HalfDoneDocument> &found) {
    const Connection::Result rows = connection.select(QStringLiteral(
        "Select M.Sales_Inv_No from Sales_Invoice_Master M Where "
        "not exists (Select 1 from Sales_Invoice_Detail D Where D.Sales_Inv_No = M.Sales_Inv_No) and "
        "not exists (Select 1 from Accounts_Receivable_Ledger R Where R.Document_No = M.Sales_Inv_No) and "
        "exists (Select 1 from Customer_OB O Where O.Customer_Code = M.Customer_Code and "
        "O.Branch_Prefix = M.Branch_Prefix) "
        "Order by M.Sales_Inv_No"));
    for (const QVariantList &row : rows.rows)
        found << HalfDoneDocument{QStringLiteral("Invoice %1").arg(row.at(0).toString()),
                                  QStringLiteral("an opening balance without its receivable row: it was written, "
                                                 "but not posted to the customer")};
}

} // namespace orbsales::package
