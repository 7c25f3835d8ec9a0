#pragma once

#include "orbsales/services/counter_transaction.h"

#include <optional>

namespace orbsales::package {

// Our counter over Document_Prefix. Get_Last_Counter reserves the identity at once with one
// atomic statement (raise Document_Next_No and read it back), so two users never receive the
// same identity, with or without a transaction around the document. Inside the quotation's
// transaction the reservation is undone with the rest when it rolls back. Increase_Counter
// confirms the reservation; an identity reserved by a document that then failed outside a
// transaction is not handed out again.
class PackageCounter : public CounterTransaction {
    Q_OBJECT
public:
    using CounterTransaction::CounterTransaction;

    QString CompanyPrefix() const override { return m_companyPrefix; }
    void setCompanyPrefix(const QString &value) override { m_companyPrefix = value; }
    QString BranchPrefix() const override { return m_branchPrefix; }
    void setBranchPrefix(const QString &value) override { m_branchPrefix = value; }
    QString DocumentPrefix() const override { return m_documentPrefix; }
    void setDocumentPrefix(const QString &value) override { m_documentPrefix = value; }
    bool SkipChecking() const override { return m_skipChecking; }
    void setSkipChecking(bool value) override { m_skipChecking = value; }
    double NextDocumentNo() const override { return m_nextDocumentNo; }
    QString ErrDesc() const override { return m_errDesc; }

    bool Get_Last_Counter(orbsales::Connection *&connection) override;
    bool Get_Last_Counter(orbsales::Connection *&connection, bool temporaryNumber) override;
    bool Increase_Counter() override;
    bool Increase_Counter(bool temporaryNumber) override;

private:
    QString m_companyPrefix, m_branchPrefix, m_documentPrefix;
    bool m_skipChecking = false;
    double m_nextDocumentNo = 0;
    QString m_errDesc;
    std::optional<qint64> m_reserved;
};

} // namespace orbsales::package
