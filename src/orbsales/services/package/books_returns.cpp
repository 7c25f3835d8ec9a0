#include "orbsales/services/package/books_returns.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/package_support.h"

namespace orbsales::package {

namespace {

double at(const QVariantList &row, int column) { return row.at(column).toDouble(); }
QString textAt(const QVariantList &row, int column) { return row.at(column).toString().trimmed(); }

QString pair(const QString &first, double a, const QString &second, double b) {
    return first + QLatin1Char(' ') + figure(a) + QStringLiteral(", ") + second + QLatin1Char(' ') + figure(b);
}

void checkLots(Connection &connection, QStringList &breaches) {
    const Connection::Result lots = connection.select(QStringLiteral(
        "Select Item_Code, Branch_Prefix, Purchase_Document_No, COALESCE(Sold_Qty, 0), COALESCE(Total_Purchase_Qty, 0) "
        "from Purchase_Log Where COALESCE(Sold_Qty, 0) < -0.000005 or "
        "COALESCE(Sold_Qty, 0) > COALESCE(Total_Purchase_Qty, 0) + 0.000005 Order by Item_Code, Branch_Prefix"));
    for (const QVariantList &row : lots.rows)
        breaches << QStringLiteral("Purchase lot %1 of item %2, branch %3: ")
                            .arg(textAt(row, 2), textAt(row, 0), textAt(row, 1)) +
                        pair(QStringLiteral("sold quantity"), at(row, 3), QStringLiteral("lot quantity"), at(row, 4));
}

// Items and branches goods were returned to: their stock against their lots and movements.
void checkReturnedStock(Connection &connection, QStringList &breaches) {
    const Connection::Result items = connection.select(QStringLiteral(
        "Select D.Item_Code, D.Branch_Prefix, COALESCE(D.Stock_In_Hand, 0), COALESCE(D.Stock_Amount, 0), "
        "COALESCE(D.Opening_Stock_Amount, 0) + (Select COALESCE(SUM(COALESCE(S.In_Amount, 0) - "
        "COALESCE(S.Out_Amount, 0)), 0) from Stock_Movement S Where S.Item_Code = D.Item_Code and "
        "S.Branch_Prefix = D.Branch_Prefix), "
        "(Select COALESCE(SUM(COALESCE(P.Total_Purchase_Qty, 0) - COALESCE(P.Sold_Qty, 0)), 0) from Purchase_Log P "
        "Where P.Item_Code = D.Item_Code and P.Branch_Prefix = D.Branch_Prefix), "
        "(Select count(*) from Purchase_Log P Where P.Item_Code = D.Item_Code and P.Branch_Prefix = D.Branch_Prefix) "
        "from Item_Master_Detail D Where exists (Select 1 from Stock_Movement S, Sales_Return_Master R Where "
        "S.Item_Code = D.Item_Code and S.Branch_Prefix = D.Branch_Prefix and R.Sales_Rtn_No = S.Document_No) "
        "Order by D.Item_Code, D.Branch_Prefix"));
    for (const QVariantList &row : items.rows) {
        const QString item = QStringLiteral("Item %1, branch %2: ").arg(textAt(row, 0), textAt(row, 1));
        if (row.at(6).toInt() > 0 && !sameAmount(at(row, 2), at(row, 5)))
            breaches << item + pair(QStringLiteral("stock in hand"), at(row, 2),
                                    QStringLiteral("unsold quantity of its purchase lots"), at(row, 5));
        if (!sameAmount(at(row, 3), at(row, 4)))
            breaches << item + pair(QStringLiteral("stock value"), at(row, 3),
                                    QStringLiteral("opening value plus stock movements"), at(row, 4));
    }
}

void checkCreditMemos(Connection &connection, QStringList &breaches) {
    const Connection::Result memos = connection.select(QStringLiteral(
        "Select M.Voucher_No, COALESCE(M.Voucher_Amount, 0), "
        "COALESCE(SUM(COALESCE(D.Debit_Amount, 0)), 0), COALESCE(SUM(COALESCE(D.Credit_Amount, 0)), 0), "
        "COALESCE(SUM(COALESCE(D.FC_Debit_Amount, 0)), 0), COALESCE(SUM(COALESCE(D.FC_Credit_Amount, 0)), 0), "
        "COALESCE(SUM(CASE WHEN D.Voucher_Type = 'Customer' THEN COALESCE(D.Credit_Amount, 0) - "
        "COALESCE(D.Debit_Amount, 0) ELSE 0 END), 0) "
        "from Voucher_Master M left join Voucher_Detail D on D.Voucher_No = M.Voucher_No "
        "Where M.Document_Prefix = 'CRM' Group by M.Voucher_No, M.Voucher_Amount Order by M.Voucher_No"));
    for (const QVariantList &row : memos.rows) {
        const QString memo = QStringLiteral("Credit memo %1").arg(textAt(row, 0));
        if (!sameAmount(at(row, 2), at(row, 3)))
            breaches << memo + QStringLiteral(" does not balance in the home currency: ") +
                            pair(QStringLiteral("debits"), at(row, 2), QStringLiteral("credits"), at(row, 3));
        if (!sameAmount(at(row, 4), at(row, 5)))
            breaches << memo + QStringLiteral(" does not balance in the foreign currency: ") +
                            pair(QStringLiteral("debits"), at(row, 4), QStringLiteral("credits"), at(row, 5));
        if (!sameAmount(at(row, 1), at(row, 6)))
            breaches << memo + QStringLiteral(": ") +
                            pair(QStringLiteral("amount"), at(row, 1), QStringLiteral("credited to the customer"),
                                 at(row, 6));
    }
    const Connection::Result posted = connection.select(QStringLiteral(
        "Select M.Voucher_No, M.Customer_Code, COALESCE(M.Voucher_Amount, 0), "
        "(Select COALESCE(SUM(COALESCE(R.ARL_Credit_Amount, 0) - COALESCE(R.ARL_Debit_Amount, 0)), 0) "
        "from Accounts_Receivable_Ledger R Where R.Document_No = M.Voucher_No and R.Customer_Code = M.Customer_Code) "
        "from Voucher_Master M Where M.Document_Prefix = 'CRM' and M.process_Flag = 1 Order by M.Voucher_No"));
    for (const QVariantList &row : posted.rows)
        if (!sameAmount(at(row, 2), at(row, 3)))
            breaches << QStringLiteral("Credit memo %1 of customer %2: ").arg(textAt(row, 0), textAt(row, 1)) +
                            pair(QStringLiteral("amount"), at(row, 2), QStringLiteral("receivable rows"), at(row, 3));
}

struct SourceTable {
    const char *code;
    const char *table;
    const char *number;
};

constexpr SourceTable kSources[] = {{"INV", "Sales_Invoice_Detail", "Sales_Inv_No"},
                                    {"DSI", "Direct_Sales_Invoice_Detail", "Dir_Sales_Inv_No"},
                                    {"DEL", "Delivery_Detail", "Delivery_No"},
                                    {"DDL", "Direct_Delivery_Detail", "Direct_Delivery_No"},
                                    {"CHM", "Cash_Memo_Detail", "Cash_Memo_No"}};

void checkReturnedQuantities(Connection &connection, QStringList &breaches) {
    for (const SourceTable &source : kSources) {
        const QString returned =
            QStringLiteral("from Sales_Return_Detail R, Sales_Return_Master M Where M.Sales_Rtn_No = R.Sales_Rtn_No "
                           "and M.Processed_Flag = 1 and M.Ref_Doc_Type = '%1' and M.Ref_No = D.%2 and "
                           "R.Item_Code = D.Item_Code and R.Ref_SL_No = D.SL_No")
                .arg(QString::fromLatin1(source.code), QString::fromLatin1(source.number));
        const Connection::Result lines = connection.select(
            QStringLiteral("Select D.%1, D.SL_No, D.Item_Code, COALESCE(D.Return_Qty, 0), "
                           "(Select COALESCE(SUM(R.Sales_Rtn_Qty), 0) %3) from %2 D "
                           "Where COALESCE(D.Return_Qty, 0) <> 0 or exists (Select 1 %3) Order by D.%1, D.SL_No")
                .arg(QString::fromLatin1(source.number), QString::fromLatin1(source.table), returned));
        for (const QVariantList &row : lines.rows)
            if (!sameAmount(at(row, 3), at(row, 4)))
                breaches << QStringLiteral("Line %1 of %2 (item %3): ")
                                    .arg(textAt(row, 1), textAt(row, 0), textAt(row, 2)) +
                                pair(QStringLiteral("returned quantity"), at(row, 3),
                                     QStringLiteral("processed return lines"), at(row, 4));
    }
}

} // namespace

void checkReturns(Connection &connection, QStringList &breaches) {
    checkLots(connection, breaches);
    checkReturnedStock(connection, breaches);
    checkCreditMemos(connection, breaches);
    checkReturnedQuantities(connection, breaches);
}

} // namespace orbsales::package
