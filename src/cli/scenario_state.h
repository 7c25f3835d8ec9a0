#pragma once

// Inside the scenario runner: what a run holds and the step handlers. Only the runner's own
// files include this.

#include "scenario_runner.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/memory_grid.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QMetaProperty>
#include <map>
#include <memory>
#include <vector>

namespace orbsales::cli {

// Thrown by a step handler; the run stops there.
struct StepStop {
    ScenarioRunner::Outcome outcome;
    QString message;
};
[[noreturn]] void badInput(const QString &message);
[[noreturn]] void expectationFailed(const QString &message);

struct ScenarioObject {
    QString identifier;
    std::unique_ptr<QObject> object;
};

// The name under which scenarios reach the runner's open connection.
inline const QString kConnectionName = QStringLiteral("connection");

struct ScenarioRunner::State {
    State(const QString &db, QTextStream &o, QTextStream &e) : connectionString(db), out(o), err(e) {}

    QString connectionString;
    QTextStream &out;
    QTextStream &err;

    // Declared before the objects, so the objects go first and never outlive what they hold.
    std::unique_ptr<Connection> shared;  // the open connection handed to objects
    std::unique_ptr<Connection> queries; // the sql steps' own session, read-only
    std::vector<std::unique_ptr<MemoryGrid>> grids;
    std::map<QString, ScenarioObject> objects;

    bool atomic = false; // created objects get AtomicFlag

    QString failure;
    int completed = 0;
    bool stepLineEnded = false; // the running step has printed its line

    Connection &sharedConnection();
    Connection &queryConnection();
    ScenarioObject &object(const QJsonValue &name);
    QMetaProperty property(ScenarioObject &target, const QJsonValue &name);
    // {"ref": "q.Name"} becomes the property's current value; anything else stays.
    QJsonValue resolve(const QJsonValue &value);
    // The value for a property or parameter that holds an object: "connection", the name of a
    // scenario object, {"ref": "x.GridName"} for the object a property of x holds, or null.
    QVariant objectValue(QMetaType type, const QJsonValue &value, const QString &what);

    void create(const QJsonObject &step);
    void set(const QJsonObject &step);
    void fillGrid(const QJsonObject &step);
    void call(const QJsonObject &step);
    void expect(const QJsonObject &step);
    void expectGrid(const QJsonObject &step);
    void sql(const QJsonObject &step);
};

// "1 row", "3 rows": for the step lines.
inline QString counted(qsizetype n, const char *one, const char *many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

// The largest grid a scenario may ask for: what a front end could show.
inline constexpr int kMaxGridRows = 100000;
inline constexpr int kMaxGridColumns = 1000;
inline constexpr qint64 kMaxGridCells = 5000000;

} // namespace orbsales::cli
