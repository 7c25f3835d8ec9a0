#include "orbsales/services/package/books_cashmemos.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/item_store.h"
#include "orbsales/services/package/package_support.h"
#include "orbsales/values/numbers.h"

#include <QHash>
#include <cmath>
#include <optional>

namespace orbsales::package {

namespace {

// Every statement reads the rows of posted memos only.
const QString kPosted = QStringLiteral("exists (Select 1 from Cash_Memo_Master M Where M.Cash_Memo_No = %1 and "
                                       "M.Posting_Digits is not null)");

struct MemoLine {
    qint32 serial = 0;
    QString itemCode;
    QString unitName;
    double quantity = 0;
    double price = 0;
    double discount = 0;
    double amount = 0;
    double inventoryValue = 0;
    QString salesAccount; // empty until the line is posted
};

struct Memo {
    QString number;
    QString company;
    QString branch;
    QString paymentKind; // trimmed, upper case
    bool pointOfSale = false;
    bool cancelled = false;
    double total = 0;
    double discount = 0;
    double digits = 0;
    QList<MemoLine> lines;

    double rounded(double value) const { return numbers::roundHalfEven(value, digits); }
    bool returned(const MemoLine &line) const { return pointOfSale && line.quantity < 0; }
    bool chargedToCustomer() const {
        return paymentKind == QStringLiteral("CHEQUE") || paymentKind == QStringLiteral("CREDIT CARD");
    }
};

double at(const QVariantList &row, int column) { return row.at(column).toDouble(); }
QString textAt(const QVariantList &row, int column) { return row.at(column).toString(); }
// Keys ignore trailing blanks in the database; so do the lookups here.
QString key(const QString &number) {
    qsizetype end = number.size();
    while (end > 0 && number.at(end - 1) == QLatin1Char(' '))
        --end;
    return number.left(end);
}

QList<Memo> postedMemos(Connection &connection) {
    QList<Memo> memos;
    QHash<QString, qsizetype> byNumber;
    const Connection::Result masters = connection.select(QStringLiteral(
        "Select Cash_Memo_No, Company_Prefix, Branch_Prefix, Payment_Type, Reference_Document_Prefix, "
        "COALESCE(Cash_Memo_Total_Amount, 0), COALESCE(Cash_Memo_Disc_Amount, 0), Posting_Digits, "
        "COALESCE(Cancel_Flag, 0) from Cash_Memo_Master Where Posting_Digits is not null Order by Cash_Memo_No"));
    for (const QVariantList &row : masters.rows) {
        Memo memo;
        memo.number = key(textAt(row, 0));
        memo.company = textAt(row, 1);
        memo.branch = textAt(row, 2);
        memo.paymentKind = textAt(row, 3).trimmed().toUpper();
        memo.pointOfSale = textAt(row, 4).toUpper() == QStringLiteral("POS");
        memo.total = at(row, 5);
        memo.discount = at(row, 6);
        memo.digits = at(row, 7);
        memo.cancelled = at(row, 8) != 0;
        byNumber.insert(memo.number, memos.size());
        memos << memo;
    }
    const Connection::Result lines = connection.select(
        QStringLiteral("Select D.Cash_Memo_No, D.SL_No, D.Item_Code, D.Unit_Name, COALESCE(D.Cash_Memo_Qty, 0), "
                       "COALESCE(D.Cash_Memo_Unit_Price, 0), COALESCE(D.Cash_Memo_Disc_Amount, 0), "
                       "COALESCE(D.Cash_Memo_Item_Amount, 0), COALESCE(D.Inventory_Value, 0), D.Sales_Account_No "
                       "from Cash_Memo_Detail D Where %1 Order by D.SL_No")
            .arg(kPosted.arg(QStringLiteral("D.Cash_Memo_No"))));
    for (const QVariantList &row : lines.rows) {
        const auto found = byNumber.constFind(key(textAt(row, 0)));
        if (found == byNumber.constEnd())
            continue;
        memos[*found].lines << MemoLine{row.at(1).toInt(), textAt(row, 2), textAt(row, 3).trimmed(), at(row, 4),
                                        at(row, 5),        at(row, 6),     at(row, 7),                at(row, 8),
                                        textAt(row, 9).trimmed()};
    }
    return memos;
}

// What the ledger, receivable, cheque and stock rows of each posted memo add up to.
struct Posted {
    double sales = 0;     // net credit of the sales lines
    double discount = 0;  // net debit of the discount line
    double receivableLedger = 0;
    double inventory = 0; // net credit of the inventory lines
    QHash<QString, double> byAccount; // net debit per account
    double receivable = 0;
    int cheques = 0;
    double chequeAmount = 0;
    double movedQuantity = 0; // out minus in, base units
    double movedValue = 0;
    double movedValueToLedger = 0; // of the items whose cost is posted
};

class ItemTypes {
public:
    explicit ItemTypes(Connection &connection) : m_connection(connection) {}
    std::optional<ItemRecord> item(const QString &code) {
        const auto found = m_items.constFind(code);
        if (found != m_items.constEnd())
            return *found;
        const std::optional<ItemRecord> item = code.trimmed().isEmpty() ? std::nullopt : findItem(m_connection, code);
        m_items.insert(code, item);
        return item;
    }
    bool carries(const QString &code) {
        const std::optional<ItemRecord> found = item(code);
        return found && carriesStock(found->type);
    }
    // The cost of the item reaches the ledger: stock items always, assemblies where the branch
    // posts them.
    bool costPosted(const QString &code, const QString &branch) {
        const std::optional<ItemRecord> found = item(code);
        if (!found || !carriesStock(found->type))
            return false;
        if (found->type != QStringLiteral("3"))
            return true;
        if (!m_assembly.contains(branch))
            m_assembly.insert(branch, m_connection
                                          .scalar(QStringLiteral("Select AssemblyItemAc_Posting from "
                                                                 "Default_Inventory_Preferences Where Branch_Prefix = ?"),
                                                  {branch})
                                          .toInt() != 0);
        return m_assembly.value(branch);
    }

private:
    Connection &m_connection;
    QHash<QString, std::optional<ItemRecord>> m_items;
    QHash<QString, bool> m_assembly;
};

QHash<QString, Posted> postedRows(Connection &connection, const QList<Memo> &memos, ItemTypes &items) {
    QHash<QString, Posted> posted;
    QHash<QString, QString> branchOf;
    for (const Memo &memo : memos)
        branchOf.insert(memo.number, memo.branch);
    const Connection::Result ledger = connection.select(
        QStringLiteral("Select G.Document_No, G.Account_No, G.GL_Description, COALESCE(G.GL_Debit_Amount, 0), "
                       "COALESCE(G.GL_Credit_Amount, 0) from General_Ledger G Where %1")
            .arg(kPosted.arg(QStringLiteral("G.Document_No"))));
    for (const QVariantList &row : ledger.rows) {
        Posted &memo = posted[key(textAt(row, 0))];
        const QString description = textAt(row, 2);
        const double net = at(row, 3) - at(row, 4);
        memo.byAccount[key(textAt(row, 1))] += net;
        if (description.startsWith(QStringLiteral("Sales Account : ")))
            memo.sales -= net;
        else if (description == QStringLiteral("Discount Account"))
            memo.discount += net;
        else if (description.startsWith(QStringLiteral("Accounts Receivable : ")))
            memo.receivableLedger += net;
        else if (description.startsWith(QStringLiteral("Inventory Account : ")))
            memo.inventory -= net;
    }
    const Connection::Result receivable = connection.select(
        QStringLiteral("Select R.Document_No, COALESCE(SUM(COALESCE(R.ARL_Debit_Amount, 0) - "
                       "COALESCE(R.ARL_Credit_Amount, 0)), 0) from Accounts_Receivable_Ledger R Where %1 "
                       "Group by R.Document_No")
            .arg(kPosted.arg(QStringLiteral("R.Document_No"))));
    for (const QVariantList &row : receivable.rows)
        posted[key(textAt(row, 0))].receivable += at(row, 1);
    const Connection::Result cheques = connection.select(
        QStringLiteral("Select P.Source_No, COALESCE(P.Cheque_Amount, 0) from PDC_Master P Where %1")
            .arg(kPosted.arg(QStringLiteral("P.Source_No"))));
    for (const QVariantList &row : cheques.rows) {
        Posted &memo = posted[key(textAt(row, 0))];
        ++memo.cheques;
        memo.chequeAmount += at(row, 1);
    }
    const Connection::Result movements = connection.select(
        QStringLiteral("Select S.Document_No, S.Item_Code, COALESCE(S.In_Qty, 0), COALESCE(S.Out_Qty, 0), "
                       "COALESCE(S.In_Amount, 0), COALESCE(S.Out_Amount, 0) from Stock_Movement S Where %1")
            .arg(kPosted.arg(QStringLiteral("S.Document_No"))));
    for (const QVariantList &row : movements.rows) {
        const QString number = key(textAt(row, 0));
        Posted &memo = posted[number];
        const double value = at(row, 5) - at(row, 4);
        memo.movedQuantity += at(row, 3) - at(row, 2);
        memo.movedValue += value;
        if (items.costPosted(textAt(row, 1), branchOf.value(number)))
            memo.movedValueToLedger += value;
    }
    return posted;
}

QString cashMemoAccount(Connection &connection, const Memo &memo) {
    return key(connection
                   .scalar(QStringLiteral("Select Cash_Memo_Account_No from Default_Account_Preferences Where "
                                          "Company_Prefix = ? and Branch_Prefix = ?"),
                           {memo.company, memo.branch})
                   .toString()
                   .trimmed());
}

void compare(QStringList &breaches, const Memo &memo, const QString &what, double found, const QString &expectedWhat,
             double expected, double tolerance = 0) {
    if (std::fabs(found - expected) <= tolerance || sameAmount(found, expected))
        return;
    breaches << QStringLiteral("Cash memo %1: %2 %3, %4 %5")
                    .arg(memo.number, what, figure(found), expectedWhat, figure(expected));
}

void checkMemo(Connection &connection, const Memo &memo, const Posted &posted, ItemTypes &items,
               QStringList &breaches) {
    double sales = 0;
    double discount = memo.discount;
    double stockQuantity = 0;
    double inventoryValue = 0;
    int stockLines = 0;
    for (const MemoLine &line : memo.lines) {
        const double lineDiscount = memo.rounded(line.quantity * line.discount);
        discount += lineDiscount;
        sales += memo.returned(line) ? -std::fabs(memo.rounded(line.quantity * line.price)) : line.amount + lineDiscount;
        const std::optional<ItemRecord> item = items.item(line.itemCode);
        if (!item || !carriesStock(item->type))
            continue;
        stockQuantity += line.quantity * unitFactor(connection, *item, line.unitName).value_or(1);
        inventoryValue += line.inventoryValue;
        ++stockLines;
    }
    compare(breaches, memo, QStringLiteral("sales ledger lines"), posted.sales, QStringLiteral("its lines come to"),
            sales);
    compare(breaches, memo, QStringLiteral("discount ledger line"), posted.discount,
            QStringLiteral("its line and header discounts come to"), discount);

    if (memo.paymentKind == QStringLiteral("CASH")) {
        const QString account = cashMemoAccount(connection, memo);
        compare(breaches, memo, QStringLiteral("cash account %1 moved by").arg(account),
                posted.byAccount.value(account), QStringLiteral("its total is"), memo.total);
    }
    if (memo.chargedToCustomer()) {
        compare(breaches, memo, QStringLiteral("receivable rows"), posted.receivable, QStringLiteral("its total is"),
                memo.total);
        compare(breaches, memo, QStringLiteral("receivable ledger line"), posted.receivableLedger,
                QStringLiteral("its total is"), memo.total);
        if (posted.cheques != 1)
            breaches << QStringLiteral("Cash memo %1: %2 cheque records, 1 expected for a %3 memo")
                            .arg(memo.number)
                            .arg(posted.cheques)
                            .arg(memo.paymentKind.toLower());
        else
            compare(breaches, memo, QStringLiteral("cheque record"), posted.chequeAmount,
                    QStringLiteral("its total is"), memo.total);
    } else if (posted.cheques != 0) {
        breaches << QStringLiteral("Cash memo %1: %2 cheque records for a memo paid by %3")
                        .arg(memo.number)
                        .arg(posted.cheques)
                        .arg(memo.paymentKind.toLower());
    }

    compare(breaches, memo, QStringLiteral("stock movements in base units"), posted.movedQuantity,
            QStringLiteral("its stock lines come to"), stockQuantity);
    // Each line's inventory value is its cost rounded to the memo's decimals.
    const double rounding = stockLines * 0.5 * std::pow(10.0, -memo.digits) + 0.000001;
    compare(breaches, memo, QStringLiteral("stock movements worth"), posted.movedValue,
            QStringLiteral("its lines' inventory value is"), inventoryValue, rounding);
    compare(breaches, memo, QStringLiteral("inventory ledger lines"), posted.inventory,
            QStringLiteral("the cost of its stock movements is"), posted.movedValueToLedger);
}

} // namespace

void checkCashMemos(Connection &connection, QStringList &breaches) {
    const QList<Memo> memos = postedMemos(connection);
    if (memos.isEmpty())
        return;
    ItemTypes items(connection);
    const QHash<QString, Posted> posted = postedRows(connection, memos, items);
    for (const Memo &memo : memos)
        if (!memo.cancelled)
            checkMemo(connection, memo, posted.value(memo.number), items, breaches);
}

} // namespace orbsales::package
