#pragma once

#include "orbsales/frame/registry.h"
#include "orbsales/services/accounts_receivable.h"
#include "orbsales/services/general.h"
#include "orbsales/services/inventory.h"
#include "orbsales/services/service_ids.h"

#include <QHash>
#include <QList>
#include <QVariantMap>
#include <functional>
#include <memory>

namespace orbsales::testing {

// Recording doubles of the sibling components the documents hand work to (OrbSystem.General,
// OrbAccounts.AccountsReceivable, OrbInventory.Inventory). For the life of a RecordingScope the
// registry hands out the double of one identifier; every such object reports its property
// assignments and action calls, in order, to the scope's Recorder, which answers the actions as
// the test scripted them (True, or "" for GetFldValue, unless told otherwise).
struct RecordedCall {
    int sequence = 0;       // position among everything the recorder saw
    int object = 0;         // which object, in order of creation
    QString member;         // property or action name
    QVariantList arguments; // the value assigned, or the action's arguments
    bool action = false;
};

struct Reply {
    QVariant result;
    QString errDesc; // set into the double's ErrDesc when not null
};

class Recorder {
public:
    using Script = std::function<Reply(const RecordedCall &call)>;

    void script(const QString &action, Script script) { m_scripts.insert(action, std::move(script)); }
    void answer(const QString &action, const QVariant &result) {
        script(action, [result](const RecordedCall &) { return Reply{result, QString()}; });
    }
    void fail(const QString &action, const QString &errDesc) {
        script(action, [errDesc](const RecordedCall &) { return Reply{false, errDesc}; });
    }

    const QList<RecordedCall> &calls() const { return m_calls; }
    QList<RecordedCall> actions(const QString &action) const {
        QList<RecordedCall> found;
        for (const RecordedCall &call : m_calls)
            if (call.action && call.member == action)
                found << call;
        return found;
    }
    // The properties of the call's object as assigned before the call.
    QVariantMap propertiesAt(const RecordedCall &call) const {
        QVariantMap properties;
        for (const RecordedCall &earlier : m_calls.mid(0, call.sequence))
            if (!earlier.action && earlier.object == call.object)
                properties.insert(earlier.member, earlier.arguments.value(0));
        return properties;
    }

    // Used by the doubles.
    int enrol() { return m_objects++; }
    Reply record(int object, const char *member, const QVariantList &arguments, bool action) {
        const RecordedCall call{static_cast<int>(m_calls.size()), object, QString::fromLatin1(member), arguments,
                                action};
        m_calls << call;
        const auto script = m_scripts.constFind(call.member);
        return action && script != m_scripts.constEnd() ? (*script)(call) : Reply{};
    }

private:
    QList<RecordedCall> m_calls;
    int m_objects = 0;
    QHash<QString, Script> m_scripts;
};

// What every double shares: assignments and calls go to the recorder, replies come back.
template <typename Interface> class Recording : public Interface {
public:
    explicit Recording(std::shared_ptr<Recorder> recorder)
        : m_recorder(std::move(recorder)), m_object(m_recorder->enrol()) {}

protected:
    void assigned(const char *property, const QVariant &value) override {
        m_recorder->record(m_object, property, {value}, false);
    }
    Reply act(const char *action, const QVariantList &arguments = {}) {
        const Reply reply = m_recorder->record(m_object, action, arguments, true);
        if (!reply.errDesc.isNull())
            this->setErrDesc(reply.errDesc);
        return reply;
    }
    bool acted(const char *action, const QVariantList &arguments = {}) {
        const Reply reply = act(action, arguments);
        return reply.result.isValid() ? reply.result.toBool() : true;
    }

private:
    std::shared_ptr<Recorder> m_recorder;
    int m_object;
};

class RecordingGeneral : public Recording<General> {
public:
    using Recording::Recording;
    QString GetFldValue(const QString &TblName, const QString &fldName, const QString &WhereFldName,
                        const QVariant &WhereFldValue, bool WhereFldNumYN, const QString &SecondWhereFldName,
                        const QVariant &SecondWhereFldValue, bool SecdWhereFldNumYN) override {
        return act("GetFldValue", {TblName, fldName, WhereFldName, WhereFldValue, WhereFldNumYN, SecondWhereFldName,
                                   SecondWhereFldValue, SecdWhereFldNumYN})
            .result.toString();
    }
    bool ExistDocument(const QString &table, const QString &column, const QVariant &value, bool numeric) override {
        return acted("ExistDocument", {table, column, value, numeric});
    }
};

class RecordingAccountsReceivable : public Recording<AccountsReceivable> {
public:
    using Recording::Recording;
    bool AR_Insert_Transaction() override { return acted("AR_Insert_Transaction"); }
    bool ARL_Delete() override { return acted("ARL_Delete"); }
};

class RecordingInventory : public Recording<Inventory> {
public:
    using Recording::Recording;
    bool Update_Item_OrderedQty(const QString &direction) override {
        return acted("Update_Item_OrderedQty", {direction});
    }
    bool Get_Item_Account() override { return acted("Get_Item_Account"); }
    bool Get_Item_Type() override { return acted("Get_Item_Type"); }
};

// Puts the recording double of one identifier in the registry for the life of the scope.
class RecordingScope {
public:
    explicit RecordingScope(const QString &identifier)
        : m_override(identifier, [recorder = m_recorder, identifier]() -> std::unique_ptr<QObject> {
              if (identifier == service_ids::kGeneral)
                  return std::make_unique<RecordingGeneral>(recorder);
              if (identifier == service_ids::kAccountsReceivable)
                  return std::make_unique<RecordingAccountsReceivable>(recorder);
              if (identifier == service_ids::kInventory)
                  return std::make_unique<RecordingInventory>(recorder);
              throw std::invalid_argument("no recording double for " + identifier.toStdString());
          }) {}
    Recorder *operator->() { return m_recorder.get(); }

private:
    std::shared_ptr<Recorder> m_recorder = std::make_shared<Recorder>();
    Registry::Override m_override;
};

} // namespace orbsales::testing
