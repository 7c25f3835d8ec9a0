#include "orbsales/services/package/books_invoices.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/package_support.h"

#include <cmath>

namespace orbsales::package {

namespace {

struct BilledSource {
    const char *detail;    // Delivery_Detail
    const char *number;    // Delivery_No
    const char *kind;      // the invoice lines' Delivery_Flag, in capitals
    const char *described; // "Delivery"
};

constexpr BilledSource kSources[] = {
    {"Delivery_Detail", "Delivery_No", "SALESORDER", "Delivery"},
    {"Direct_Delivery_Detail", "Direct_Delivery_No", "DIRECT", "Direct delivery"},
};

void checkInvoicedQuantities(Connection &connection, QStringList &breaches) {
    for (const BilledSource &source : kSources) {
        const Connection::Result lines = connection.select(
            QStringLiteral("Select D.%2, D.SL_No, COALESCE(D.Invoiced_Qty, 0), "
                           "(Select COALESCE(SUM(L.Sales_Inv_Qty), 0) from Sales_Invoice_Detail L "
                           "JOIN Sales_Invoice_Master M ON M.Sales_Inv_No = L.Sales_Inv_No "
                           "Where L.Delivery_No = D.%2 and L.Delivery_Dtl_SL_No = D.SL_No and "
                           "UPPER(L.Delivery_Flag) = '%3' and M.Processed_Flag = 1 and COALESCE(M.Cancel_Flag, 0) = 0) "
                           "from %1 D Order by D.%2, D.SL_No")
                .arg(QLatin1String(source.detail), QLatin1String(source.number), QLatin1String(source.kind)));
        for (const QVariantList &row : lines.rows) {
            const double recorded = row.at(2).toDouble();
            const double invoiced = row.at(3).toDouble();
            if (!sameAmount(recorded, invoiced))
                breaches << QStringLiteral("%1 %2, line %3: Invoiced_Qty %4, processed invoice lines %5")
                                .arg(QLatin1String(source.described), row.at(0).toString(), row.at(1).toString(),
                                     figure(recorded), figure(invoiced));
        }
    }
}

void checkCancelledInvoices(Connection &connection, QStringList &breaches) {
    const Connection::Result residues = connection.select(
        QStringLiteral("Select M.Sales_Inv_No, "
                       "(Select count(*) from General_Ledger G Where G.Document_No = M.Sales_Inv_No), "
                       "(Select count(*) from Accounts_Receivable_Ledger R Where R.Document_No = M.Sales_Inv_No), "
                       "(Select count(*) from Chart_Difference P Where P.Document_No = M.Sales_Inv_No) "
                       "from Sales_Invoice_Master M Where M.Cancel_Flag = 1 Order by M.Sales_Inv_No"));
    for (const QVariantList &row : residues.rows) {
        const int ledger = row.at(1).toInt();
        const int receivable = row.at(2).toInt();
        const int chart = row.at(3).toInt();
        if (ledger + receivable + chart > 0)
            breaches << QStringLiteral("Cancelled invoice %1 still has %2 ledger rows, %3 receivable rows and %4 "
                                       "chart differences")
                            .arg(row.at(0).toString())
                            .arg(ledger)
                            .arg(receivable)
                            .arg(chart);
    }
}

} // namespace

QString ConversionRounding::text() const {
    return QStringLiteral("Invoice %1 in %2: its %3 ledger lines are each converted into the home currency and "
                          "rounded, so they miss each other by %4")
        .arg(documentNo, currency)
        .arg(converted)
        .arg(figure(net));
}

QList<ConversionRounding> conversionRoundings(Connection &connection) {
    const Connection::Result invoices = connection.select(QStringLiteral(
        "Select M.Sales_Inv_No, M.Currency_Code, COALESCE(SUM(COALESCE(G.GL_Debit_Amount, 0) - "
        "COALESCE(G.GL_Credit_Amount, 0)), 0), count(G.Document_No), COALESCE(M.Exchange_Rate, 1) "
        "from Sales_Invoice_Master M Join General_Ledger G on G.Document_No = M.Sales_Inv_No "
        "Where M.Foreign_Currency_Flag = 1 and M.Processed_Flag = 1 and COALESCE(M.Cancel_Flag, 0) = 0 "
        "Group by M.Sales_Inv_No, M.Currency_Code, M.Exchange_Rate Order by M.Sales_Inv_No"));
    QList<ConversionRounding> roundings;
    for (const QVariantList &row : invoices.rows) {
        const double net = row.at(2).toDouble();
        const int converted = row.at(3).toInt();
        // Amounts to 2 decimals, as the package posts them.
        const double rate = std::fabs(row.at(4).toDouble());
        if (sameAmount(net, 0) || std::fabs(net) > 0.005 * (rate + 1) * converted + 0.000005)
            continue;
        roundings << ConversionRounding{row.at(0).toString(), row.at(1).toString().trimmed(), net, converted};
    }
    return roundings;
}

void checkInvoices(Connection &connection, QStringList &breaches) {
    checkInvoicedQuantities(connection, breaches);
    checkCancelledInvoices(connection, breaches);
}

} // namespace orbsales::package
