#pragma once

#include <QDateTime>
#include <QString>
#include <memory>

namespace orbsales {

class Connection;
class CounterTransaction;

// Company (2 characters), branch (2) and document prefix (3), then the identity in decimal.
QString documentNumber(const QString &company, const QString &branch, const QString &document, qint32 identity);
// The same with "TMP" before the identity: the number a document holds until it is processed.
QString temporaryDocumentNumber(const QString &company, const QString &branch, const QString &document,
                                qint32 identity);
// A typed document number: the Double rounded to the nearest Long, halves to even.
qint32 manualIdentity(double typed);

// One use of OrbSystem.CounterTransaction for one document, in the order the counter expects:
// prefixes, Get_Last_Counter (one- or two-argument form), NextDocumentNo, then Increase_Counter
// in the matching form once the document rows are written. A false answer leaves the
// counter's own ErrDesc in `errDesc`.
class CounterUse {
public:
    enum class Form { OneArgument, TemporaryNumber };

    CounterUse(const QString &company, const QString &branch, const QString &document, Form form);
    ~CounterUse();

    void setSkipChecking(bool skip);
    // Get_Last_Counter on the connection (passed by reference and taken back) and NextDocumentNo.
    bool take(Connection *&connection, QString &errDesc);
    qint32 identity() const { return m_identity; }
    // Increase_Counter.
    bool consume(QString &errDesc);

private:
    std::unique_ptr<CounterTransaction> m_counter;
    Form m_form;
    qint32 m_identity = 0;
};

// After a document is saved under a typed number: Document_Next_No is raised to the number + 1
// when it is not already beyond it. A missing Document_Prefix row is not created.
void raiseCounterPastManual(Connection &connection, const QString &company, const QString &branch,
                            const QString &document, qint32 identity);

} // namespace orbsales
