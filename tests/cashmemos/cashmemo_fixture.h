#pragma once

#include "orbsales/cashmemos/cash_memo.h"
#include "orbsales/grid/memory_grid.h"
#include "orbsales/services/package/demo_company.h"
#include "orbsales/values/numbers.h"
#include "support/test_database.h"

#include <QDateTime>
#include <QStringList>
#include <memory>
#include <ostream>

// Texts in failure messages as text.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList &texts, std::ostream *os) {
    *os << '[' << texts.join(QStringLiteral("\n ")).toStdString() << ']';
}

namespace orbsales::testing {

// A cash memo on the demo company (branches HO and B2, items A100 Widget 12.5, A200 Gadget 40,
// B100 Steel Bracket 85, C300 Cable Reel 2.75 with stock, S100 a service; customers C001 to
// C004; the chart, preferences and counters of both branches), saved on the caller's open
// connection: prefixes 01/HO/CHM, the walk-in customer, paid in cash, processed online, and a
// grid of 10 rows x 21 columns.
class CashMemoTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!db)
            return;
        demo::seedDemoCompany(database().connection());
        caller = std::make_unique<Connection>();
        caller->open(connectionString());
        grid = std::make_unique<MemoryGrid>(10, 21);
        memo = newMemo();
    }
    void TearDown() override {
        memo.reset();
        caller.reset();
        DatabaseTest::TearDown();
    }

    std::unique_ptr<CashMemo> newMemo() {
        auto m = std::make_unique<CashMemo>();
        m->setAdoDBConnectionObject(caller.get());
        m->setADOConnectionString(connectionString());
        m->setCompanyPrefix(QStringLiteral("01"));
        m->setBranchPrefix(QStringLiteral("HO"));
        m->setDocumentPrefix(QStringLiteral("CHM"));
        m->setCustomerCode(QStringLiteral("01C004"));
        m->setCustomerName(QStringLiteral("Walk-in Customer"));
        m->setPaymentType(QStringLiteral("Cash"));
        m->setCashMemoDate(QDateTime(QDate(2026, 12, 5), QTime(0, 0)));
        m->setCurrencyCode(QStringLiteral("AED"));
        m->setExchangeRate(1);
        m->setAmtDig(2);
        m->setOnlineFlag(true);
        m->setSalesLogPrefix(QStringLiteral("SLG"));
        m->setStockMovementPrefix(QStringLiteral("SMV"));
        m->setDatabase(QStringLiteral("SQLSERVER"));
        m->setLastUpdate(QDateTime(QDate(2026, 12, 5), QTime(10, 0)));
        m->setCMGridName(grid.get());
        return m;
    }

public:
    // A grid line: {"", code, name, unit code, unit, unit qty, qty, fc price, disc %, fc disc,
    // fc amount, amount, disc, price, handed over, source serial, project short, project, foc,
    // location, location id}; the amounts are quantity x (price - discount).
    static QStringList line(const QString &code, double quantity, double price, double discount = 0,
                            const QString &unit = QStringLiteral("Nos")) {
        const QString amount = numbers::numberText(quantity * (price - discount));
        auto n = [](double v) { return numbers::numberText(v); };
        return {QString(), code,          QStringLiteral("Item ") + code, QStringLiteral("1"), unit,
                QStringLiteral("1"), n(quantity), n(price), QStringLiteral("0"), n(discount), amount,
                amount,             n(discount), n(price), QStringLiteral("0"), QStringLiteral("0"), QString(),
                QString(),          QStringLiteral("0"), QStringLiteral("Main Store"), QStringLiteral("1")};
    }

    // The named properties handed to a sibling, as text joined by "|"; "-" for one not handed.
    static QString handed(const QVariantMap &properties, const char *names) {
        QStringList texts;
        for (const QString &name : QString::fromLatin1(names).split(QLatin1Char(' ')))
            texts << (properties.contains(name) ? numbers::valueText(properties.value(name)) : QStringLiteral("-"));
        return texts.join(QLatin1Char('|'));
    }
    // The same of an object's own properties.
    static QString handed(const QObject &object, const char *names) {
        QVariantMap properties;
        for (const QString &name : QString::fromLatin1(names).split(QLatin1Char(' ')))
            properties.insert(name, object.property(name.toLatin1().constData()));
        return handed(properties, names);
    }

protected:
    // Lines in grid rows 1, 2, ...; header totals from their amounts less `discount`.
    void fill(const QList<QStringList> &lines, double discount = 0) {
        double subTotal = 0;
        const int rows = grid->rowCount();
        grid->setRowCount(1); // earlier lines go
        grid->setRowCount(rows);
        for (int i = 0; i < lines.size(); ++i) {
            grid->setRow(i + 1, lines[i]);
            subTotal += lines[i].at(11).toDouble();
        }
        memo->setCashMemoSubTotal(subTotal);
        memo->setCashMemoFCSubTotal(subTotal);
        memo->setCashMemoDiscAmount(discount);
        memo->setCashMemoFcDiscAmount(discount);
        memo->setCashMemoTotalAmount(subTotal - discount);
        memo->setCashMemoFCTotalAmount(subTotal - discount);
    }
    QString created() {
        EXPECT_TRUE(memo->Create_CashMemo()) << memo->ErrDesc().toStdString();
        return memo->CashMemoNo();
    }
    // A new object that processes the saved memo as a front end would.
    std::unique_ptr<CashMemo> processor(const QString &number) {
        auto p = newMemo();
        p->setCashMemoNo(number);
        return p;
    }

    QVariant masterValue(const QString &column, const QString &number) {
        return database().scalar(QStringLiteral("Select %1 from Cash_Memo_Master Where Cash_Memo_No=?").arg(column),
                                 {number});
    }
    // The named columns of a saved memo's master, or of its line, as text joined by "|"; "null" for NULL.
    QString masterText(const char *columns, const QString &number) {
        return rowText(QStringLiteral("Select %1 from Cash_Memo_Master Where Cash_Memo_No=?"), columns, number, 1);
    }
    QString lineText(const char *columns, const QString &number, int line = 1) {
        return rowText(QStringLiteral("Select %1 from Cash_Memo_Detail Where Cash_Memo_No=? Order by SL_No"), columns,
                       number, line);
    }
    QString rowText(const QString &select, const char *columns, const QString &number, int line) {
        const auto rows = database().connection().select(
            select.arg(QString::fromLatin1(columns).replace(QLatin1Char(' '), QStringLiteral(", "))), {number});
        QStringList texts;
        for (const QVariant &value : rows.rows.value(line - 1))
            texts << (value.isNull() ? QStringLiteral("null") : numbers::valueText(value));
        return texts.join(QLatin1Char('|'));
    }
    QVariant lineValue(const QString &column, const QString &number, int line = 1) {
        const auto rows = database().connection().select(
            QStringLiteral("Select %1 from Cash_Memo_Detail Where Cash_Memo_No=? Order by SL_No").arg(column), {number});
        return rows.rows.value(line - 1).value(0);
    }
    int lineCount(const QString &number) {
        return database().count(QStringLiteral("Cash_Memo_Detail"), QStringLiteral("Cash_Memo_No=?"), {number});
    }
    double number(const QString &sql, const QVariantList &values = {}) {
        return database().scalar(sql, values).toDouble();
    }
    int counter(const QString &prefix = QStringLiteral("CHM")) {
        return database()
            .scalar(QStringLiteral("Select Document_Next_No from Document_Prefix Where Document_Prefix=? and "
                                   "Branch_Prefix='HO'"),
                    {prefix})
            .toInt();
    }
    double stockInHand(const QString &item, const QString &branch = QStringLiteral("HO")) {
        return number(QStringLiteral("Select Stock_In_Hand from Item_Master_Detail Where Item_Code=? and "
                                     "Branch_Prefix=?"),
                      {item, branch});
    }

    static inline const QString kHostile = QStringLiteral("O'Brien; DROP TABLE Cash_Memo_Master;--");

    std::unique_ptr<Connection> caller;
    std::unique_ptr<MemoryGrid> grid;
    std::unique_ptr<CashMemo> memo;
};

} // namespace orbsales::testing
