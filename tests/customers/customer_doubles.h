#pragma once

#include "orbsales/frame/registry.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general.h"
#include "orbsales/services/service_ids.h"

#include <QStringList>
#include <QVariantList>
#include <memory>

namespace orbsales::testing {

// What the customer handed its sibling components, kept by the test after the objects are gone.
struct SiblingLog {
    // OrbSystem.General
    QString connectionString;
    Connection *connectionObject = nullptr;
    QVariantList lookup; // the eight GetFldValue arguments
    QString answer;      // what GetFldValue returns
    // OrbAccounts.AccountsReceivable
    QStringList deletedDocuments;
    Connection *receivableConnection = nullptr;
    bool refuse = false;
    QString refusal = QStringLiteral("Document is posted in a closed period");
};

class GeneralDouble : public General {
public:
    explicit GeneralDouble(SiblingLog &log) : m_log(log) {}
    QString GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                        const QVariant &WhereFldValue, bool WhereFldNumYN, const QString &SecondWhereFldName,
                        const QVariant &SecondWhereFldValue, bool SecdWhereFldNumYN) override {
        m_log.connectionString = ADOConnectionString();
        m_log.connectionObject = AdoConnectionObject();
        m_log.lookup = {TblName,
                        fldName,
                        WhereFldName,
                        WhereFldValue,
                        WhereFldNumYN,
                        SecondWhereFldName,
                        SecondWhereFldValue,
                        SecdWhereFldNumYN};
        return m_log.answer;
    }
    bool ExistDocument(const QString &, const QString &, const QVariant &, bool) override { return false; }

private:
    SiblingLog &m_log;
};

class ReceivableDouble : public AccountsReceivable {
public:
    explicit ReceivableDouble(SiblingLog &log) : m_log(log) {}
    bool AR_Insert_Transaction() override { return fail(QStringLiteral("not expected")); }
    bool ARL_Delete() override {
        m_log.deletedDocuments << DocumentNo();
        m_log.receivableConnection = AdoConnectionObject();
        return m_log.refuse ? fail(m_log.refusal) : true;
    }

private:
    SiblingLog &m_log;
};

// Puts both doubles in the registry for the life of the object.
class SiblingDoubles {
public:
    SiblingLog log;

private:
    Registry::Override m_general{service_ids::kGeneral,
                                 [this] { return std::unique_ptr<QObject>(new GeneralDouble(log)); }};
    Registry::Override m_receivable{service_ids::kAccountsReceivable,
                                    [this] { return std::unique_ptr<QObject>(new ReceivableDouble(log)); }};
};

} // namespace orbsales::testing
