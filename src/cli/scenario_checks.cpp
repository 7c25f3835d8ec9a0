#include "meta_access.h"
#include "scenario_state.h"
#include "scenario_values.h"
#include "text_table.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <exception>

// The steps that compare: properties, grid cells and query rows.
namespace orbsales::cli {

namespace {

// The query's own transaction, read-only and always rolled back.
class RolledBack {
public:
    explicit RolledBack(Connection &connection) : m_connection(connection) { m_connection.beginTransaction(); }
    ~RolledBack() { m_connection.rollback(); }
    RolledBack(const RolledBack &) = delete;
    RolledBack &operator=(const RolledBack &) = delete;

private:
    Connection &m_connection;
};

// `?` placeholders numbered $1, $2, ... outside quotes, as the PostgreSQL driver numbers them
// when it prepares the statement.
QString numberedParameters(const QString &sql) {
    QString numbered;
    QChar closing;
    int next = 1;
    for (const QChar c : sql) {
        if (!closing.isNull()) {
            if (c == closing)
                closing = QChar();
            numbered += c;
        } else if (c == QLatin1Char('?')) {
            numbered += QStringLiteral("$%1").arg(next++);
        } else {
            if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`'))
                closing = c;
            numbered += c;
        }
    }
    return numbered;
}

// PostgreSQL runs every statement of a text the driver hands it, and a COMMIT among them would
// end the read-only transaction before the next one runs. The server is asked first: the text is
// prepared (parsed, not run) inside a function, where no statement can end the transaction and
// the transaction is read-only; a text holding a transaction statement or a change fails there.
void requireSingleQuery(Connection &connection, const QString &sql) {
    connection.execute(QStringLiteral("Select set_config('orbsales.query', ?, true)"), {numberedParameters(sql)});
    connection.execute(QStringLiteral(
        "DO $orbsales$ BEGIN "
        "IF EXISTS (SELECT 1 FROM pg_prepared_statements WHERE name = 'orbsales_query_check') THEN "
        "EXECUTE 'DEALLOCATE orbsales_query_check'; END IF; "
        "EXECUTE 'PREPARE orbsales_query_check AS ' || current_setting('orbsales.query'); "
        "EXECUTE 'DEALLOCATE orbsales_query_check'; "
        "END $orbsales$"));
}

int columnIndex(const QStringList &columns, const QString &name) {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

void ScenarioRunner::State::expect(const QJsonObject &step) {
    const QString objectName = step.value(QStringLiteral("expect")).toString();
    ScenarioObject &target = object(objectName);
    const QJsonObject values = step.value(QStringLiteral("values")).toObject();
    QStringList names;
    for (auto it = values.begin(); it != values.end(); ++it) {
        const QMetaProperty p = property(target, it.key());
        const QString name = QString::fromLatin1(p.name());
        if (meta::access(*target.object->metaObject(), p) == meta::Access::WriteOnly)
            badInput(QStringLiteral("%1 is write-only: it can be set but not read back").arg(name));
        if (meta::pointee(p.metaType()))
            badInput(QStringLiteral("%1 holds an object; compare its contents instead").arg(name));
        const QJsonValue expected = resolve(it.value());
        if (expected.isObject() || expected.isArray())
            badInput(QStringLiteral("%1: a single value is needed, got %2").arg(name, scenario::kindOf(expected)));
        const QVariant actual = p.read(target.object.get());
        if (!scenario::matches(actual, expected))
            expectationFailed(
                QStringLiteral("%1.%2: expected %3, actual %4")
                    .arg(objectName, name, scenario::showExpected(expected), scenario::showActual(actual)));
        names << name;
    }
    out << "expect " << objectName << ": " << names.join(QStringLiteral(", ")) << " as expected\n";
}

void ScenarioRunner::State::expectGrid(const QJsonObject &step) {
    const QString objectName = step.value(QStringLiteral("expectGrid")).toString();
    ScenarioObject &target = object(objectName);
    const QMetaProperty p = property(target, step.value(QStringLiteral("property")));
    const QString where = objectName + QLatin1Char('.') + QString::fromLatin1(p.name());
    const QMetaObject *holds = meta::pointee(p.metaType());
    if (!holds || !holds->inherits(&LineGrid::staticMetaObject))
        badInput(QStringLiteral("%1 is not a grid property").arg(QString::fromLatin1(p.name())));
    auto *grid = qobject_cast<LineGrid *>(p.read(target.object.get()).value<QObject *>());
    if (!grid)
        expectationFailed(QStringLiteral("%1 holds no grid").arg(where));

    if (step.contains(QStringLiteral("rowCount"))) {
        const QJsonValue expected = step.value(QStringLiteral("rowCount"));
        if (!scenario::matches(grid->rowCount(), expected))
            expectationFailed(QStringLiteral("%1 rowCount: expected %2, actual %3")
                                  .arg(where, scenario::showExpected(expected))
                                  .arg(grid->rowCount()));
    }
    const QJsonObject cells = step.value(QStringLiteral("cells")).toObject();
    static const QRegularExpression cellKey(QStringLiteral("^\\s*(\\d+)\\s*,\\s*(\\d+)\\s*$"));
    for (auto it = cells.begin(); it != cells.end(); ++it) {
        const QRegularExpressionMatch match = cellKey.match(it.key());
        if (!match.hasMatch())
            badInput(QStringLiteral("cell \"%1\" is not written \"row,column\"").arg(it.key()));
        const int row = match.captured(1).toInt();
        const int col = match.captured(2).toInt();
        const QJsonValue expected = resolve(it.value());
        if (expected.isObject() || expected.isArray())
            badInput(
                QStringLiteral("cell %1: a single value is needed, got %2").arg(it.key(), scenario::kindOf(expected)));
        if (row >= grid->rowCount() || col >= grid->columnCount())
            expectationFailed(QStringLiteral("%1 cell %2,%3: expected %4, but the grid has %5 rows and %6 columns")
                                  .arg(where)
                                  .arg(row)
                                  .arg(col)
                                  .arg(scenario::showExpected(expected))
                                  .arg(grid->rowCount())
                                  .arg(grid->columnCount()));
        const QString actual = grid->cellText(row, col);
        if (!scenario::matches(actual, expected))
            expectationFailed(QStringLiteral("%1 cell %2,%3: expected %4, actual %5")
                                  .arg(where)
                                  .arg(row)
                                  .arg(col)
                                  .arg(scenario::showExpected(expected), scenario::showActual(actual)));
    }
    out << "expectGrid " << where << ": " << counted(cells.size(), "cell", "cells")
        << (step.contains(QStringLiteral("rowCount")) ? " and the row count" : "") << " as expected\n";
}

// The database keeps the query from changing anything: it runs on a read-only session (SQLite
// opened read-only and query-only, PostgreSQL in a read-only transaction), and what it might
// have changed within its transaction is rolled back.
void ScenarioRunner::State::sql(const QJsonObject &step) {
    const QString text = step.value(QStringLiteral("sql")).toString();
    QVariantList bound;
    for (const QJsonValue &param : step.value(QStringLiteral("params")).toArray()) {
        const QJsonValue value = resolve(param);
        if (value.isObject() || value.isArray())
            badInput(QStringLiteral("a query parameter must be a single value, got %1").arg(scenario::kindOf(value)));
        bound << scenario::toBindValue(value);
    }

    Connection::Result result;
    {
        // Whatever the query is, what it might change is rolled back.
        Connection &connection = queryConnection();
        RolledBack guard(connection);
        try {
            if (connection.dialect() == Dialect::PostgreSQL)
                requireSingleQuery(connection, text);
            result = connection.select(text, bound);
        } catch (const std::exception &error) {
            badInput(QStringLiteral("the query failed: %1").arg(QString::fromUtf8(error.what())));
        }
    }

    if (!step.contains(QStringLiteral("expectRows"))) {
        out << "sql: " << counted(result.rows.size(), "row", "rows") << '\n';
        QList<QStringList> rows;
        for (const QVariantList &row : result.rows) {
            QStringList cells;
            for (const QVariant &value : row)
                cells << displayValue(value);
            rows << cells;
        }
        printTable(out, result.columns, rows, QStringLiteral("    "));
        return;
    }
    const QJsonArray expectedRows = step.value(QStringLiteral("expectRows")).toArray();
    if (expectedRows.size() != result.rows.size())
        expectationFailed(QStringLiteral("expected %1, the query gave %2")
                              .arg(counted(expectedRows.size(), "row", "rows"))
                              .arg(result.rows.size()));
    for (int r = 0; r < expectedRows.size(); ++r) {
        if (!expectedRows[r].isObject())
            badInput(QStringLiteral("expected row %1 must be an object of column values").arg(r + 1));
        const QJsonObject expectedRow = expectedRows[r].toObject();
        for (auto it = expectedRow.begin(); it != expectedRow.end(); ++it) {
            const int column = columnIndex(result.columns, it.key());
            if (column < 0)
                badInput(QStringLiteral("the query has no column %1 (it has %2)")
                             .arg(it.key(), result.columns.join(QStringLiteral(", "))));
            const QJsonValue expected = resolve(it.value());
            const QVariant actual = result.rows[r].value(column);
            if (!scenario::matches(actual, expected))
                expectationFailed(QStringLiteral("row %1, %2: expected %3, actual %4")
                                      .arg(r + 1)
                                      .arg(it.key(), scenario::showExpected(expected), scenario::showActual(actual)));
        }
    }
    out << "sql: " << counted(result.rows.size(), "row", "rows") << " as expected\n";
}

} // namespace orbsales::cli
