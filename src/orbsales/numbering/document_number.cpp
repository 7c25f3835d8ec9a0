#include "orbsales/numbering/document_number.h"

#include "orbsales/data/connection.h"
#include "orbsales/data/recordset.h"
#include "orbsales/frame/registry.h"
#include "orbsales/values/numbers.h"
#include "orbsales/services/counter_transaction.h"

namespace orbsales {

QString documentNumber(const QString &company, const QString &branch, const QString &document, qint32 identity) {
    return company + branch + document + QString::number(identity);
}

QString temporaryDocumentNumber(const QString &company, const QString &branch, const QString &document,
                                qint32 identity) {
    return company + branch + document + QStringLiteral("TMP") + QString::number(identity);
}

qint32 manualIdentity(double typed) { return numbers::toLong(typed); }

CounterUse::CounterUse(const QString &company, const QString &branch, const QString &document, Form form)
    : m_counter(createObject<CounterTransaction>(QStringLiteral("OrbSystem.CounterTransaction"))), m_form(form) {
    m_counter->setCompanyPrefix(company);
    m_counter->setBranchPrefix(branch);
    m_counter->setDocumentPrefix(document);
}

CounterUse::~CounterUse() = default;

void CounterUse::setSkipChecking(bool skip) { m_counter->setSkipChecking(skip); }

bool CounterUse::take(Connection *&connection, QString &errDesc) {
    const bool taken = m_form == Form::TemporaryNumber ? m_counter->Get_Last_Counter(connection, true)
                                                       : m_counter->Get_Last_Counter(connection);
    if (!taken) {
        errDesc = m_counter->ErrDesc();
        return false;
    }
    m_identity = numbers::toLong(m_counter->NextDocumentNo());
    return true;
}

bool CounterUse::consume(QString &errDesc) {
    const bool increased =
        m_form == Form::TemporaryNumber ? m_counter->Increase_Counter(true) : m_counter->Increase_Counter();
    if (!increased)
        errDesc = m_counter->ErrDesc();
    return increased;
}

void raiseCounterPastManual(Connection &connection, const QString &company, const QString &branch,
                            const QString &document, qint32 identity) {
    Recordset rs;
    rs.open(QStringLiteral("Select Document_Next_No, Last_Update From Document_Prefix Where Document_Prefix=? and "
                           "Company_Prefix=? and Branch_Prefix=?"),
            {document, company, branch}, connection, CursorType::Keyset);
    if (!rs.eof() && rs.number(u"Document_Next_No") <= identity) {
        rs.setValue(u"Document_Next_No", static_cast<qint64>(identity) + 1);
        rs.setValue(u"Last_Update", QDateTime::currentDateTime());
        rs.update();
    }
    rs.close();
}

} // namespace orbsales
