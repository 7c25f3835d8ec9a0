#include "orbsales/services/package/chart_postings.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/ledger_store.h"
#include "orbsales/services/package/package_support.h"
#include "orbsales/values/numbers.h"

#include <QMap>

namespace orbsales::package {

namespace {

// A difference is shown to the places the books compare amounts to.
constexpr double kFigurePlaces = 6;

} // namespace

void recordChartDifference(Connection &connection, const QString &documentNo, const QString &accountNo,
                           double ledgerAmount, double chartAmount, const QVariant &stamp) {
    connection.execute(QStringLiteral("Insert into Chart_Difference (Document_No, Account_No, Ledger_Amount, "
                                      "Chart_Amount, Last_Update) values (?, ?, ?, ?, ?)"),
                       {documentNo, accountNo, ledgerAmount, chartAmount, stamp});
}

void takeBackDocument(Connection &connection, const QString &documentNo, const QVariant &stamp) {
    QMap<QString, double> moved;
    const Connection::Result ledger = connection.select(
        QStringLiteral("Select Account_No, SUM(COALESCE(GL_Debit_Amount, 0) - COALESCE(GL_Credit_Amount, 0)) "
                       "from General_Ledger Where Document_No = ? Group by Account_No"),
        {documentNo});
    for (const QVariantList &row : ledger.rows)
        moved[row.at(0).toString()] += row.at(1).toDouble();
    const Connection::Result differences =
        connection.select(QStringLiteral("Select Account_No, SUM(Chart_Amount - Ledger_Amount) from Chart_Difference "
                                         "Where Document_No = ? Group by Account_No"),
                          {documentNo});
    for (const QVariantList &row : differences.rows)
        moved[row.at(0).toString()] += row.at(1).toDouble();
    connection.execute(QStringLiteral("Delete from General_Ledger Where Document_No = ?"), {documentNo});
    connection.execute(QStringLiteral("Delete from Chart_Difference Where Document_No = ?"), {documentNo});
    for (auto it = moved.constBegin(); it != moved.constEnd(); ++it)
        moveAccountBalance(connection, it.key(), -it.value(), stamp);
}

QList<DocumentedDifference> recordedDifferences(Connection &connection) {
    const Connection::Result rows = connection.select(
        QStringLiteral("Select Document_No, Account_No, SUM(Ledger_Amount), SUM(Chart_Amount) from Chart_Difference "
                       "Group by Document_No, Account_No Order by Document_No, Account_No"));
    QList<DocumentedDifference> differences;
    for (const QVariantList &row : rows.rows)
        differences << DocumentedDifference{row.at(0).toString(), row.at(1).toString(), row.at(2).toDouble(),
                                            row.at(3).toDouble(), QString()};
    return differences;
}

QString DocumentedDifference::text() const {
    const QString rounded = figure(numbers::roundHalfEven(difference(), kFigurePlaces));
    if (documentNo.isEmpty() && accountNo.isEmpty())
        return reason;
    if (!reason.isEmpty())
        return QStringLiteral("%1, account %2: %3 (difference %4)").arg(documentNo, accountNo, reason, rounded);
    return QStringLiteral("Document %1, account %2: ledger rows %3, chart moved by %4 (difference %5)")
        .arg(documentNo, accountNo, figure(ledger), figure(chart), rounded);
}

} // namespace orbsales::package
