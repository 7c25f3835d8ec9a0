#include "orbsales/services/package/package_support.h"

#include "orbsales/data/schema.h"
#include "orbsales/values/errors.h"
#include "orbsales/values/numbers.h"
#include "orbsales/services/package/package_messages.h"

#include <cmath>

namespace orbsales::package {

namespace {
const QString kSavepoint = QStringLiteral("orb_sibling_write");
}

WriteUnit::WriteUnit(Connection &connection) : m_connection(connection) {
    m_savepoint = connection.inTransaction();
    if (m_savepoint)
        m_connection.execute(QStringLiteral("SAVEPOINT ") + kSavepoint);
    else
        m_connection.beginTransaction();
}

WriteUnit::~WriteUnit() {
    if (m_done)
        return;
    if (!m_savepoint) {
        m_connection.rollback();
        return;
    }
    try {
        m_connection.execute(QStringLiteral("ROLLBACK TO SAVEPOINT ") + kSavepoint);
        m_connection.execute(QStringLiteral("RELEASE SAVEPOINT ") + kSavepoint);
    } catch (const OrbError &) {
        // Undoing runs while the first error is on its way to the caller; that error is the one
        // to report, and the caller's transaction ends with it anyway.
    }
}

void WriteUnit::commit() {
    if (m_savepoint)
        m_connection.execute(QStringLiteral("RELEASE SAVEPOINT ") + kSavepoint);
    else
        m_connection.commit();
    m_done = true;
}

bool sameAmount(double a, double b) {
    return std::fabs(a - b) <= 0.000005 + 1e-12 * std::fmax(std::fabs(a), std::fabs(b));
}

bool usableNumber(double value) { return std::isfinite(value); }

QString figure(double value) {
    if (!std::isfinite(value))
        return QString::number(value);
    // Sums of many Doubles carry noise in the last digits: show them to 8 decimals at most.
    return numbers::numberText(numbers::roundHalfEven(value, 8));
}

QString companyOfDocument(const QString &documentNo) { return documentNo.left(2); }
QString branchOfDocument(const QString &documentNo) { return documentNo.mid(2, 2); }

QVariant stampOf(const QVariant &lastUpdate) {
    if (lastUpdate.isNull() || !lastUpdate.isValid() ||
        (lastUpdate.typeId() == QMetaType::QString && lastUpdate.toString().trimmed().isEmpty()))
        return QDateTime::currentDateTime();
    try {
        return schema::coerce(schema::ColumnType::Date, lastUpdate);
    } catch (const DatabaseError &) {
        throw OrbError(messages::notADate(QStringLiteral("LastUpdate"), lastUpdate.toString()));
    }
}

} // namespace orbsales::package
