#include "faults/fault_checks.h"

#include "orbsales/data/connection.h"
#include "orbsales/services/package/books.h"
#include "orbsales/services/package/books_halfdone.h"
#include "orbsales/values/errors.h"
#include "support/test_database.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>

namespace orbsales::testing {

void FailingStatement::aboutToRun(Dialect, const QString &sql, const QVariantList &values) {
    statements.push_back({sql, values});
    if (int(statements.size()) == m_failAt)
        throw DatabaseError(kConnectionLost);
}

namespace {

QStringList tableNames(Connection &connection) {
    const QString sql = connection.dialect() == Dialect::SQLite
                            ? QStringLiteral("Select name from sqlite_master Where type = 'table'")
                            : QStringLiteral("Select table_name from information_schema.tables Where "
                                             "table_schema = current_schema() and table_type = 'BASE TABLE'");
    QStringList names;
    for (const QVariantList &row : connection.select(sql).rows)
        names << row.at(0).toString();
    return names;
}

QString cellText(const QVariant &value) {
    if (value.isNull())
        return QStringLiteral("NULL");
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 15);
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(Qt::ISODateWithMs);
    return value.toString();
}

} // namespace

QSet<QString> tablesWrittenBy(Connection &connection, const std::vector<RecordedStatement> &statements) {
    static const QRegularExpression written(QStringLiteral(R"(^\s*(?:insert\s+into|update|delete\s+from)\s+"?(\w+))"),
                                            QRegularExpression::CaseInsensitiveOption);
    QSet<QString> lowered;
    for (const RecordedStatement &statement : statements) {
        const QRegularExpressionMatch match = written.match(statement.sql);
        if (match.hasMatch())
            lowered.insert(match.captured(1).toLower());
    }
    QSet<QString> tables;
    for (const QString &name : tableNames(connection))
        if (lowered.contains(name.toLower()))
            tables.insert(name);
    return tables;
}

Snapshot snapshotOf(Connection &connection, const QSet<QString> &tables) {
    Snapshot snapshot;
    for (const QString &table : tables) {
        QStringList &rows = snapshot[table];
        for (const QVariantList &row : connection.select(QStringLiteral("Select * from ") + table).rows) {
            QStringList cells;
            for (const QVariant &value : row)
                cells << cellText(value);
            rows << cells.join(QStringLiteral(" | "));
        }
        rows.sort();
    }
    return snapshot;
}

QSet<QString> changedTables(const Snapshot &before, const Snapshot &after) {
    QSet<QString> changed;
    for (const auto &[table, rows] : after) {
        const auto other = before.find(table);
        if (other == before.end() || other->second != rows)
            changed.insert(table);
    }
    return changed;
}

QStringList differences(const Snapshot &expected, const Snapshot &actual) {
    QStringList found;
    for (const QString &table : changedTables(expected, actual)) {
        const QStringList want = expected.count(table) ? expected.at(table) : QStringList();
        const QStringList &have = actual.at(table);
        QStringList lines{table + QLatin1Char(':')};
        constexpr int kShown = 3;
        int shown = 0;
        for (const QString &row : want)
            if (!have.contains(row) && shown++ < kShown)
                lines << QStringLiteral("  expected only: ") + row;
        shown = 0;
        for (const QString &row : have)
            if (!want.contains(row) && shown++ < kShown)
                lines << QStringLiteral("  found only:    ") + row;
        found << lines.join(QLatin1Char('\n'));
    }
    return found;
}

QStringList verifyFindings(Connection &connection) {
    QStringList findings = package::verifyBooks(connection);
    for (const package::HalfDoneDocument &document : package::findHalfDoneDocuments(connection))
        findings << document.text();
    return findings;
}

bool inOpenTransaction(Connection &caller) {
    if (!caller.isOpen())
        return false;
    if (caller.inTransaction())
        return true;
    // Asked of the session itself, past the connection's own bookkeeping.
    QSqlQuery query(caller.database());
    if (caller.dialect() == Dialect::SQLite) {
        if (!query.exec(QStringLiteral("BEGIN")))
            return true; // "cannot start a transaction within a transaction"
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    // Inside a transaction now() stays at its start; a failed transaction refuses the query.
    if (!query.exec(QStringLiteral("Select now() = statement_timestamp()")) || !query.next())
        return true;
    return !query.value(0).toBool();
}

std::vector<int> statementsToFail(const std::vector<RecordedStatement> &statements) {
    constexpr int kStride = 15;
    const int count = int(statements.size());
    std::vector<int> numbers;
    for (int k = 1; k <= count; ++k)
        if (!onPostgres() || k == 1 || k == count || k % kStride == 0 ||
            statements[size_t(k - 1)].sql.startsWith(QLatin1String("COMMIT")))
            numbers.push_back(k);
    return numbers;
}

} // namespace orbsales::testing
