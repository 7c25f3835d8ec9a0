#include "orbsales/numbering/document_number.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/operation_connection.h"
#include "orbsales/data/schema.h"
#include "orbsales/frame/registry.h"
#include "orbsales/services/counter_transaction.h"
#include "orbsales/services/service_ids.h"
#include "orbsales/values/numbers.h"

namespace orbsales {

QString documentNumber(const DocumentPrefixes &prefixes, qint32 identity) {
    return prefixes.company + prefixes.branch + prefixes.document + QString::number(identity);
}

QString temporaryDocumentNumber(const DocumentPrefixes &prefixes, qint32 identity) {
    return prefixes.company + prefixes.branch + prefixes.document + QStringLiteral("TMP") + QString::number(identity);
}

QString documentPrefixOf(const QString &documentNo) { return documentNo.mid(4, 3); }

qint32 manualIdentity(double typed) { return numbers::toLong(typed); }

CounterUse::CounterUse(const DocumentPrefixes &prefixes, Form form)
    : m_counter(createObject<CounterTransaction>(service_ids::kCounterTransaction)) {
    if (form == Form::Temporary)
        m_secondArgument = true;
    m_counter->setCompanyPrefix(prefixes.company);
    m_counter->setBranchPrefix(prefixes.branch);
    m_counter->setDocumentPrefix(prefixes.document);
}

CounterUse::CounterUse(const DocumentPrefixes &prefixes, bool secondArgument) : CounterUse(prefixes, Form::Temporary) {
    m_secondArgument = secondArgument;
}

CounterUse::~CounterUse() = default;

void CounterUse::setSkipChecking(bool skip) { m_counter->setSkipChecking(skip); }

bool CounterUse::take(Connection *&connection, QString &errDesc) {
    const bool taken = m_secondArgument ? m_counter->Get_Last_Counter(connection, *m_secondArgument)
                                        : m_counter->Get_Last_Counter(connection);
    if (!taken) {
        errDesc = m_counter->ErrDesc();
        return false;
    }
    m_identity = numbers::toLong(m_counter->NextDocumentNo());
    return true;
}

bool CounterUse::take(ConnectionProperty &connection, QString &errDesc) {
    Connection *handed = &connection.required();
    const bool taken = take(handed, errDesc);
    connection.set(handed); // the reference handed to the counter is taken back
    return taken;
}

bool CounterUse::consume(QString &errDesc) {
    const bool increased =
        m_secondArgument ? m_counter->Increase_Counter(*m_secondArgument) : m_counter->Increase_Counter();
    if (!increased)
        errDesc = m_counter->ErrDesc();
    return increased;
}

// One statement compares and raises: a counter handing out a number at the same moment (another
// user's document) is never written back over.
void raiseCounterPastManual(Connection &connection, const DocumentPrefixes &prefixes, qint32 identity) {
    connection.execute(QStringLiteral("Update Document_Prefix Set Document_Next_No = ?, Last_Update = ? Where "
                                      "Document_Prefix=? and Company_Prefix=? and Branch_Prefix=? and "
                                      "Document_Next_No <= ?"),
                       {static_cast<qint64>(identity) + 1,
                        schema::coerce(schema::ColumnType::Date, QDateTime::currentDateTime()), prefixes.document,
                        prefixes.company, prefixes.branch, static_cast<qint64>(identity)});
}

void raiseCounterPastManualOnOwnConnection(const QString &connectionString, Connection &documentConnection,
                                          const DocumentPrefixes &prefixes, qint32 identity) {
    if (documentConnection.isOpen() && documentConnection.dialect() == Dialect::SQLite &&
        documentConnection.inTransaction()) {
        raiseCounterPastManual(documentConnection, prefixes, identity);
        return;
    }
    OperationConnection own = OperationConnection::open(connectionString);
    raiseCounterPastManual(own.get(), prefixes, identity);
}

DocumentIdentity::DocumentIdentity(const DocumentPrefixes &prefixes, CounterUse::Form form, bool manual, double typed)
    : m_prefixes(prefixes), m_form(form), m_manual(manual), m_typed(typed) {}

bool DocumentIdentity::take(Connection *&connection, QString &errDesc) {
    if (m_manual) {
        m_identity = manualIdentity(m_typed);
        return true;
    }
    m_counter = std::make_unique<CounterUse>(m_prefixes, m_form);
    if (!m_counter->take(connection, errDesc))
        return false;
    m_identity = m_counter->identity();
    return true;
}

bool DocumentIdentity::take(ConnectionProperty &connection, QString &errDesc) {
    if (m_manual) {
        m_identity = manualIdentity(m_typed);
        return true;
    }
    Connection *handed = &connection.required();
    const bool taken = take(handed, errDesc);
    connection.set(handed); // the reference handed to the counter is taken back
    return taken;
}

bool DocumentIdentity::finish(Connection &connection, QString &errDesc) {
    if (m_manual) {
        raiseCounterPastManual(connection, m_prefixes, m_identity);
        return true;
    }
    return m_counter->consume(errDesc);
}

bool DocumentIdentity::finishOnOwnConnection(const QString &connectionString, Connection &documentConnection,
                                             QString &errDesc) {
    if (m_manual) {
        raiseCounterPastManualOnOwnConnection(connectionString, documentConnection, m_prefixes, m_identity);
        return true;
    }
    return m_counter->consume(errDesc);
}

} // namespace orbsales
