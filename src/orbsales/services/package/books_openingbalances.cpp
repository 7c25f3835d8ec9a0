#include "orbsales/services/package/books_openingbalances.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/package_support.h"

#include <QMap>
#include <QSet>
#include <optional>

namespace orbsales::package {

namespace {

// The description the customers' opening-balance postings give their receivable rows, before
// the customer's code.
const QString kOpeningRows = QStringLiteral("Customer Opening Balance Customer Code-%");

const QString kNet = QStringLiteral("COALESCE(SUM(COALESCE(ARL_Debit_Amount, 0) - COALESCE(ARL_Credit_Amount, 0)), 0)");
const QString kFcNet =
    QStringLiteral("COALESCE(SUM(COALESCE(FC_ARL_Debit_Amount, 0) - COALESCE(FC_ARL_Credit_Amount, 0)), 0)");

// An opening-balance document as the books hold it: what its receivable rows add up to (debit
// minus credit) and what the document says they should.
struct OpeningDocument {
    QString documentNo;
    QString customer;
    QString kind;        // "invoice", "advance receipt", or empty when neither document is there
    QString amountName;  // "total" or "amount"
    double expected = 0; // as receivable rows: an invoice's total, a receipt's amount times -1
    double fcExpected = 0;
    double rows = 0;
    double fcRows = 0;
};

std::optional<std::pair<double, double>> documentAmounts(Connection &connection, const QString &sql,
                                                         const QString &documentNo) {
    const Connection::Result found = connection.select(sql, {documentNo});
    if (found.rows.isEmpty())
        return std::nullopt;
    return std::pair{found.rows.first().at(0).toDouble(), found.rows.first().at(1).toDouble()};
}

void findDocument(Connection &connection, OpeningDocument &document) {
    if (const auto invoice = documentAmounts(
            connection,
            QStringLiteral("Select COALESCE(Sales_Inv_Total_Amount, 0), COALESCE(Sales_Inv_FC_Total_Amount, 0) "
                           "from Sales_Invoice_Master Where Sales_Inv_No = ?"),
            document.documentNo)) {
        document.kind = QStringLiteral("invoice");
        document.amountName = QStringLiteral("total");
        document.expected = invoice->first;
        document.fcExpected = invoice->second;
    } else if (const auto receipt = documentAmounts(
                   connection,
                   QStringLiteral("Select COALESCE(Receipt_Amount, 0), COALESCE(Receipt_FCAmount, 0) from "
                                  "Receipt_Master Where Receipt_No = ?"),
                   document.documentNo)) {
        document.kind = QStringLiteral("advance receipt");
        document.amountName = QStringLiteral("amount");
        document.expected = -receipt->first;
        document.fcExpected = -receipt->second;
    }
}

// Documents with opening-balance receivable rows, then those of processed opening items that
// have none.
QList<OpeningDocument> openingDocuments(Connection &connection) {
    QList<OpeningDocument> documents;
    QSet<QString> seen;
    const Connection::Result withRows =
        connection.select(QStringLiteral("Select Document_No, Customer_Code, %1, %2 from Accounts_Receivable_Ledger "
                                         "Where ARL_Description like ? Group by Document_No, Customer_Code "
                                         "Order by Document_No, Customer_Code")
                              .arg(kNet, kFcNet),
                          {kOpeningRows});
    for (const QVariantList &row : withRows.rows) {
        OpeningDocument document;
        document.documentNo = row.at(0).toString();
        document.customer = row.at(1).toString();
        document.rows = row.at(2).toDouble();
        document.fcRows = row.at(3).toDouble();
        findDocument(connection, document);
        seen.insert(document.documentNo);
        documents << document;
    }
    const Connection::Result processed = connection.select(
        QStringLiteral("Select Distinct OB_Inv_No, Customer_Code from Customer_OB Where OB_Inv_No is not null and "
                       "OB_Inv_No <> '' and not exists (Select 1 from Accounts_Receivable_Ledger R Where "
                       "R.Document_No = Customer_OB.OB_Inv_No) Order by OB_Inv_No"));
    for (const QVariantList &row : processed.rows) {
        OpeningDocument document;
        document.documentNo = row.at(0).toString();
        document.customer = row.at(1).toString();
        if (seen.contains(document.documentNo))
            continue;
        findDocument(connection, document);
        // A document removed with its rows before the list was processed again is not missed.
        if (!document.kind.isEmpty())
            documents << document;
    }
    return documents;
}

void checkDocuments(Connection &connection, QStringList &breaches) {
    for (const OpeningDocument &document : openingDocuments(connection)) {
        const QString named = QStringLiteral("Opening-balance %1 %2 of customer %3")
                                  .arg(document.kind, document.documentNo, document.customer);
        if (document.kind.isEmpty()) {
            breaches << QStringLiteral("Opening-balance document %1 of customer %2 has receivable rows but no "
                                       "invoice or receipt: receivable rows %3")
                            .arg(document.documentNo, document.customer, figure(document.rows));
            continue;
        }
        // Figures as the document states them: a receipt's credit rows are shown as its amount.
        const double sign = document.kind == QStringLiteral("invoice") ? 1 : -1;
        if (!sameAmount(document.rows, document.expected))
            breaches << named + QStringLiteral(": %1 %2, receivable rows %3")
                                    .arg(document.amountName, figure(sign * document.expected),
                                         figure(sign * document.rows));
        if (!sameAmount(document.fcRows, document.fcExpected))
            breaches << named + QStringLiteral(": foreign-currency %1 %2, receivable rows %3")
                                    .arg(document.amountName, figure(sign * document.fcExpected),
                                         figure(sign * document.fcRows));
    }
}

struct BranchOpenings {
    double openings = 0;     // the chart's opening balances of the branch, added up
    double customerRows = 0; // the branch's opening-balance receivable rows, debit minus credit
};

// Branches holding opening-balance documents, "company, branch" -> figures.
QMap<QPair<QString, QString>, BranchOpenings> branchOpenings(Connection &connection) {
    QMap<QPair<QString, QString>, BranchOpenings> branches;
    const Connection::Result rows = connection.select(
        QStringLiteral("Select Company_Prefix, Branch_Prefix, %1 from Accounts_Receivable_Ledger Where "
                       "ARL_Description like ? Group by Company_Prefix, Branch_Prefix")
            .arg(kNet),
        {kOpeningRows});
    for (const QVariantList &row : rows.rows)
        branches[{row.at(0).toString(), row.at(1).toString()}].customerRows = row.at(2).toDouble();
    for (auto it = branches.begin(); it != branches.end(); ++it)
        it->openings = connection
                           .scalar(QStringLiteral("Select COALESCE(SUM(COALESCE(Opening_Balance, 0)), 0) from "
                                                  "Chart_Of_Accounts Where Company_Prefix = ? and Branch_Prefix = ?"),
                                   {it.key().first, it.key().second})
                           .toDouble();
    return branches;
}

QString branchName(const QPair<QString, QString> &branch) {
    return QStringLiteral("company %1, branch %2").arg(branch.first, branch.second);
}

} // namespace

void checkOpeningBalances(Connection &connection, QStringList &breaches) {
    checkDocuments(connection, breaches);
    const auto branches = branchOpenings(connection);
    for (auto it = branches.cbegin(); it != branches.cend(); ++it)
        if (!sameAmount(it->openings, it->customerRows))
            breaches << QStringLiteral("Opening balances of %1: add up to %2, customers' opening balances %3")
                            .arg(branchName(it.key()), figure(it->openings), figure(it->customerRows));
}

QStringList openingBalanceDifferences(Connection &connection) {
    QStringList differences;
    const auto branches = branchOpenings(connection);
    for (auto it = branches.cbegin(); it != branches.cend(); ++it)
        if (sameAmount(it->openings, it->customerRows) && !sameAmount(it->openings, 0))
            differences << QStringLiteral("Opening balances of %1 add up to %2, not 0: the customers' opening "
                                          "balances moved the receivable and advance-receipt accounts' openings "
                                          "without a counter-entry")
                               .arg(branchName(it.key()), figure(it->openings));
    return differences;
}

} // namespace orbsales::package
