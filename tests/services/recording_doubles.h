#pragma once

#include "orbsales/frame/registry.h"
#include "orbsales/services/sibling_service.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <memory>

namespace orbsales::testing {

// Recording doubles of the package's sibling components, for the tests of the documents.
// A RecordingScope puts a double in the registry under one identifier for the life of the
// scope; every object the code under test creates there reports to the scope's Recorder, which
// keeps each property assignment and each action call in order and answers the actions as the
// test scripted them.
//
//   RecordingScope ledger(service_ids::kGeneralLedger);
//   ... run the document ...
//   const RecordedCall insert = ledger.recorder().actions("GLInsert").at(1);
//   EXPECT_EQ(ledger.recorder().propertiesAt(insert).value("accountno"), "01HO4000");

struct RecordedCall {
    int sequence = 0;       // position among everything the recorder saw, from 0
    int object = 0;         // which object, in order of creation, from 0
    QString member;         // property or action name
    QVariantList arguments; // the value assigned, or the action's arguments
    bool action = false;
};

// What a double answers to one action call. Unset parts take the double's default: True for
// a Boolean action, "" for GetFldValue, the plain arithmetic for the currency conversions.
struct Reply {
    QVariant result;
    QString errDesc;     // set into the double's ErrDesc when not null
    QVariantMap outputs; // output properties (ItemType, SellingValue, ...) and by-reference arguments
};

class Recorder {
public:
    using Script = std::function<Reply(const RecordedCall &call)>;

    // Scripting: a fixed answer for every call of `action`, a failure with its ErrDesc, an
    // output property reported after every call, or a function deciding per call.
    void answer(const QString &action, const QVariant &result);
    void fail(const QString &action, const QString &errDesc);
    void output(const QString &property, const QVariant &value);
    void script(const QString &action, Script script);

    // What happened.
    const QList<RecordedCall> &calls() const { return m_calls; }
    QList<RecordedCall> actions(const QString &action = QString()) const;
    int objectCount() const { return m_objects; }
    // The properties of the call's object as assigned before the call.
    QVariantMap propertiesAt(const RecordedCall &call) const;
    // One object's history as text: "Name=value" for assignments, "Action(arg, ...)" for calls.
    QStringList trace(int object) const;

    // Used by the doubles.
    int enrol() { return m_objects++; }
    void assigned(int object, const QString &property, const QVariant &value);
    Reply invoked(int object, const QString &action, const QVariantList &arguments);

private:
    QList<RecordedCall> m_calls;
    int m_objects = 0;
    QHash<QString, Script> m_scripts;
    QVariantMap m_outputs;
};

// Creates the double of `identifier` reporting to `recorder`; throws for an identifier without one.
std::unique_ptr<QObject> makeRecordingDouble(const QString &identifier, std::shared_ptr<Recorder> recorder);

class RecordingScope {
public:
    explicit RecordingScope(const QString &identifier);
    Recorder &recorder() { return *m_recorder; }
    Recorder *operator->() { return m_recorder.get(); }

private:
    std::shared_ptr<Recorder> m_recorder;
    Registry::Override m_override;
};

// A value as the traces show it.
QString traceText(const QVariant &value);

} // namespace orbsales::testing
