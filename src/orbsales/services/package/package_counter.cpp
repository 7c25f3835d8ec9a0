#include "orbsales/services/package/package_counter.h"

#include "orbsales/data/connection.h"
#include "orbsales/values/errors.h"
#include "orbsales/services/package/package_messages.h"

#include <QDateTime>

namespace orbsales::package {

bool PackageCounter::Get_Last_Counter(orbsales::Connection *&connection) { return Get_Last_Counter(connection, false); }

bool PackageCounter::Get_Last_Counter(orbsales::Connection *&connection, bool) {
    m_reserved.reset();
    if (connection == nullptr || !connection->isOpen()) {
        m_errDesc = messages::kInvalidConnectionObject;
        return false;
    }
    if (m_companyPrefix.isEmpty() || m_branchPrefix.isEmpty() || m_documentPrefix.isEmpty()) {
        m_errDesc = messages::kCounterPrefixesMissing;
        return false;
    }
    try {
        const QVariant next = connection->scalar(
            QStringLiteral("Update Document_Prefix Set Document_Next_No = Document_Next_No + 1, Last_Update = ? "
                           "Where Document_Prefix = ? and Company_Prefix = ? and Branch_Prefix = ? "
                           "Returning Document_Next_No"),
            {QDateTime::currentDateTime(), m_documentPrefix, m_companyPrefix, m_branchPrefix});
        if (next.isNull()) {
            m_errDesc = messages::noDocumentPrefix(m_documentPrefix, m_companyPrefix, m_branchPrefix);
            return false;
        }
        m_reserved = next.toLongLong() - 1;
        m_nextDocumentNo = static_cast<double>(*m_reserved);
        return true;
    } catch (const OrbError &error) {
        m_errDesc = error.description();
        return false;
    }
}

bool PackageCounter::Increase_Counter() { return Increase_Counter(false); }

bool PackageCounter::Increase_Counter(bool) {
    if (!m_reserved) {
        m_errDesc = messages::kCounterNotTaken;
        return false;
    }
    m_reserved.reset();
    return true;
}

} // namespace orbsales::package
