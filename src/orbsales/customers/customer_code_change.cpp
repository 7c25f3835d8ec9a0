#include "orbsales/customers/customer_code_change.h"

#include "orbsales/data/column_rules.h"
#include "orbsales/customers/customer.h"
#include "orbsales/customers/customer_messages.h"
#include "orbsales/data/operation_connection.h"
#include "orbsales/data/recordset.h"

#include <QDate>
#include <QRegularExpression>

namespace orbsales {

namespace msg = customer_messages;

namespace code_change {

namespace {
void requireName(const QString &name) {
    static const QRegularExpression plainName(QStringLiteral(R"(^[A-Za-z_][A-Za-z0-9_]*$)"));
    if (!plainName.match(name).hasMatch())
        throw OrbError(QStringLiteral("Invalid table or column name: %1").arg(name));
}
} // namespace

QString statement(const QString &database, const QString &table, const QString &column) {
    requireName(table);
    requireName(column);
    // The blanks inside the fixed pieces are those the statement has always had.
    if (database == QStringLiteral("MSACCESS"))
        return QStringLiteral("Update ") + table + QStringLiteral(" Set ") + column +
               QStringLiteral(" = ?, Last_Update=DateValue(?)  Where  ") + column + QStringLiteral(" =?");
    return QStringLiteral("Update ") + table + QStringLiteral(" Set ") + column +
           QStringLiteral(" = ?,  Last_Update=? Where  ") + column + QStringLiteral(" =?");
}

QVariant today(const QString &database) {
    const QDate day = QDate::currentDate();
    if (database == QStringLiteral("MSACCESS"))
        return day.toString(QStringLiteral("yyyy-MM-dd"));
    return QDateTime(day, QTime(0, 0));
}

} // namespace code_change

// Renames the codes listed in the grid, one customer after the other, on the caller's open
// connection. There is no transaction: customers renamed before a failure keep their new code.
bool Customer::Change_Customer_Code() {
    return trapped([this] {
        if (m_grid.isNull())
            throw OrbError(kObjectNotSet);
        const LineGrid &grid = *m_grid;
        auto connection = OperationConnection::borrow(m_connection.get());
        const int rows = grid.rowCount();
        for (int row = 1; row <= rows - 1; ++row) {
            if (grid.cellText(row, 1).isEmpty())
                break;
            const QString typedOld = grid.cellText(row, 2);
            const QString typedNew = grid.cellText(row, 3);
            {
                Recordset existing;
                existing.open(QStringLiteral("SELECT Customer_Code From Customer_Master WHERE Customer_Code = ?"),
                              {columns::exactText(m_CompanyPrefix + typedNew)}, connection.get(),
                              CursorType::Static);
                if (!existing.eof())
                    return fail(msg::codeAlreadyInUse(typedNew));
            }
            if (!Change_Code(m_CompanyPrefix + typedOld, m_CompanyPrefix + typedNew))
                return false;
        }
        return true;
    });
}

bool Customer::Change_Code(const QString &pOldCode, const QString &pNewCode) {
    return trapped([&] {
        for (const code_change::CodeColumn &target : code_change::kCodeColumns) {
            if (!Execute_Change_Code(QLatin1String(target.table), QLatin1String(target.column), pNewCode, pOldCode))
                return false;
        }
        return true;
    });
}

bool Customer::Execute_Change_Code(const QString &pTableName, const QString &pChangeColName, const QString &pNewValue,
                                   const QString &pWhere) {
    return trapped([&] {
        const QString sql = code_change::statement(m_Database, pTableName, pChangeColName);
        auto connection = OperationConnection::borrow(m_connection.get());
        connection->execute(
            sql, {columns::exactText(pNewValue), code_change::today(m_Database), columns::exactText(pWhere)});
        return true;
    });
}

} // namespace orbsales
