#include "scenario_runner.h"

#include "meta_access.h"
#include "scenario_state.h"
#include "scenario_values.h"

#include "orbsales/frame/registry.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace orbsales::cli {

void badInput(const QString &message) { throw StepStop{ScenarioRunner::Outcome::BadInput, message}; }
void expectationFailed(const QString &message) { throw StepStop{ScenarioRunner::Outcome::Failed, message}; }

namespace {

// ---- the shape of a scenario, checked before anything runs ----

enum class Want { Text, Number, Count, Flag, List, Object, Value };

struct KeyRule {
    const char *key;
    Want want;
    bool required;
};

struct KindRule {
    const char *kind;
    std::vector<KeyRule> keys; // the kind's own key first
};

// In the order a step's kind is recognised: "call" steps carry "expect" as well.
const std::vector<KindRule> &kindRules() {
    static const std::vector<KindRule> rules{
        {"create", {{"create", Want::Text, true}, {"as", Want::Text, true}, {"open", Want::Flag, false}}},
        {"set", {{"set", Want::Text, true}, {"values", Want::Object, true}}},
        {"grid",
         {{"grid", Want::Text, true},
          {"property", Want::Text, true},
          {"rows", Want::List, true},
          {"rowCount", Want::Count, false},
          {"cols", Want::Count, false}}},
        {"call",
         {{"call", Want::Text, true},
          {"operation", Want::Text, true},
          {"args", Want::List, false},
          {"expect", Want::Value, false}}},
        {"expectGrid",
         {{"expectGrid", Want::Text, true},
          {"property", Want::Text, true},
          {"cells", Want::Object, false},
          {"rowCount", Want::Number, false}}},
        {"sql", {{"sql", Want::Text, true}, {"params", Want::List, false}, {"expectRows", Want::List, false}}},
        {"expect", {{"expect", Want::Text, true}, {"values", Want::Object, true}}},
    };
    return rules;
}

bool fits(const QJsonValue &value, Want want) {
    switch (want) {
    case Want::Text:
        return value.isString();
    case Want::Number:
        return value.isDouble();
    case Want::Count: {
        const double number = value.toDouble(0.5);
        return value.isDouble() && number == std::floor(number) && number >= std::numeric_limits<int>::min() &&
               number <= std::numeric_limits<int>::max();
    }
    case Want::Flag:
        return value.isBool();
    case Want::List:
        return value.isArray();
    case Want::Object:
        return value.isObject();
    case Want::Value:
        return !value.isArray() && !value.isUndefined();
    }
    return false;
}

QString wantText(Want want) {
    switch (want) {
    case Want::Text:
        return QStringLiteral("text");
    case Want::Number:
        return QStringLiteral("a number");
    case Want::Count:
        return QStringLiteral("a whole number");
    case Want::Flag:
        return QStringLiteral("true or false");
    case Want::List:
        return QStringLiteral("a list");
    case Want::Object:
        return QStringLiteral("an object");
    case Want::Value:
        return QStringLiteral("a single value");
    }
    return {};
}

const KindRule *kindOfStep(const QJsonObject &step) {
    for (const KindRule &rule : kindRules())
        if (step.contains(QLatin1String(rule.kind)))
            return &rule;
    return nullptr;
}

// Empty when the step has the shape of its kind.
QString shapeProblem(const QJsonObject &step, const KindRule &rule) {
    for (const QString &key : step.keys()) {
        if (key == QStringLiteral("comment"))
            continue;
        const bool known = std::any_of(rule.keys.begin(), rule.keys.end(),
                                       [&](const KeyRule &k) { return key == QLatin1String(k.key); });
        if (!known)
            return QStringLiteral("unknown key \"%1\"").arg(key);
    }
    for (const KeyRule &k : rule.keys) {
        const QJsonValue value = step.value(QLatin1String(k.key));
        if (value.isUndefined()) {
            if (k.required)
                return QStringLiteral("\"%1\" is missing").arg(QLatin1String(k.key));
            continue;
        }
        if (!fits(value, k.want))
            return QStringLiteral("\"%1\" must be %2, got %3")
                .arg(QLatin1String(k.key), wantText(k.want),
                     k.want == Want::Count && value.isDouble() ? scenario::showExpected(value)
                                                               : scenario::kindOf(value));
    }
    return {};
}

QString stepName(int number, const QString &kind) {
    return kind.isEmpty() ? QStringLiteral("step %1").arg(number)
                          : QStringLiteral("step %1 (%2)").arg(number).arg(kind);
}

bool isConnectionProperty(const QMetaProperty &property) {
    const QLatin1String name(property.name());
    return name == QLatin1String("AdoConnectionObject") || name == QLatin1String("AdoDBConnectionObject");
}

bool isConnectionStringProperty(const QMetaProperty &property) {
    const QLatin1String name(property.name());
    return (name == QLatin1String("ADOConnectionString") || name == QLatin1String("ConnectionString")) &&
           property.metaType().id() == QMetaType::QString;
}

// Storage for one argument or return value of an operation.
struct ValueSlot {
    QVariant value;
    bool isVariant = false; // a Variant parameter is the QVariant itself
    void *data() { return isVariant ? static_cast<void *>(&value) : value.data(); }
};

} // namespace

// ---- the runner ----

ScenarioRunner::ScenarioRunner(const QString &connectionString, QTextStream &out, QTextStream &err)
    : m(std::make_unique<State>(connectionString, out, err)) {}

ScenarioRunner::~ScenarioRunner() = default;

void ScenarioRunner::setAtomic(bool atomic) { m->atomic = atomic; }

const QString &ScenarioRunner::failure() const { return m->failure; }
int ScenarioRunner::stepsCompleted() const { return m->completed; }

int ScenarioRunner::exitCode(Outcome outcome) {
    switch (outcome) {
    case Outcome::Passed:
        return 0;
    case Outcome::Failed:
        return 1;
    case Outcome::BadInput:
        return 2;
    }
    return 2;
}

ScenarioRunner::Outcome ScenarioRunner::runFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m->failure = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        m->err << m->failure << '\n';
        return Outcome::BadInput;
    }
    return run(file.readAll(), path);
}

ScenarioRunner::Outcome ScenarioRunner::run(const QByteArray &json, const QString &name) {
    m->objects.clear();
    m->grids.clear();
    m->failure.clear();
    m->completed = 0;
    auto stop = [&](Outcome outcome, const QString &message) {
        m->failure = message;
        m->err << "FAILED " << message << '\n';
        m->out << name << ": " << (outcome == Outcome::BadInput ? "bad input" : "failed") << '\n';
        return outcome;
    };

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return stop(Outcome::BadInput, QStringLiteral("%1 is not valid JSON: %2 at offset %3")
                                           .arg(name, parseError.errorString())
                                           .arg(parseError.offset));
    const QJsonObject root = document.object();
    if (!document.isObject() || !root.value(QStringLiteral("steps")).isArray())
        return stop(Outcome::BadInput, QStringLiteral("%1 must be an object with a \"steps\" list").arg(name));
    for (const QString &key : root.keys())
        if (key != QStringLiteral("steps") && key != QStringLiteral("comment") && key != QStringLiteral("description"))
            return stop(Outcome::BadInput, QStringLiteral("%1: unknown key \"%2\"").arg(name, key));
    const QJsonArray steps = root.value(QStringLiteral("steps")).toArray();

    // The whole file is checked before the first step writes anything.
    std::vector<std::pair<QJsonObject, QString>> plan;
    for (int i = 0; i < steps.size(); ++i) {
        if (!steps[i].isObject())
            return stop(Outcome::BadInput, stepName(i + 1, {}) + QStringLiteral(": a step must be an object"));
        const QJsonObject step = steps[i].toObject();
        const KindRule *rule = kindOfStep(step);
        if (!rule)
            return stop(Outcome::BadInput,
                        stepName(i + 1, {}) +
                            QStringLiteral(": no step kind (create, set, grid, call, expect, expectGrid or sql)"));
        const QString kind = QLatin1String(rule->kind);
        const QString problem = shapeProblem(step, *rule);
        if (!problem.isEmpty())
            return stop(Outcome::BadInput, stepName(i + 1, kind) + QStringLiteral(": ") + problem);
        plan.emplace_back(step, kind);
    }

    if (root.contains(QStringLiteral("description")))
        m->out << name << ": " << root.value(QStringLiteral("description")).toString() << '\n';
    for (int i = 0; i < int(plan.size()); ++i) {
        const auto &[step, kind] = plan[i];
        m->out << "step " << (i + 1) << ' ';
        m->stepLineEnded = false;
        // "step N kind: stopped", on a line of its own when the step has printed its line.
        auto stopped = [&] {
            if (m->stepLineEnded)
                m->out << "step " << (i + 1) << ' ';
            m->out << kind << ": stopped\n";
        };
        try {
            if (kind == QStringLiteral("create"))
                m->create(step);
            else if (kind == QStringLiteral("set"))
                m->set(step);
            else if (kind == QStringLiteral("grid"))
                m->fillGrid(step);
            else if (kind == QStringLiteral("call"))
                m->call(step);
            else if (kind == QStringLiteral("expect"))
                m->expect(step);
            else if (kind == QStringLiteral("expectGrid"))
                m->expectGrid(step);
            else
                m->sql(step);
        } catch (const StepStop &halt) {
            stopped();
            return stop(halt.outcome, stepName(i + 1, kind) + QStringLiteral(": ") + halt.message);
        } catch (const std::exception &error) {
            stopped();
            return stop(Outcome::Failed,
                        stepName(i + 1, kind) + QStringLiteral(": ") + QString::fromUtf8(error.what()));
        }
        ++m->completed;
    }
    m->out << name << ": passed (" << plan.size() << " steps)\n";
    return Outcome::Passed;
}

// ---- what the steps share ----

Connection &ScenarioRunner::State::sharedConnection() {
    if (!shared) {
        shared = std::make_unique<Connection>();
        shared->open(connectionString);
    }
    return *shared;
}

Connection &ScenarioRunner::State::queryConnection() {
    if (!queries) {
        queries = std::make_unique<Connection>();
        queries->open(connectionString, Connection::Access::ReadOnly);
    }
    return *queries;
}

ScenarioObject &ScenarioRunner::State::object(const QJsonValue &name) {
    auto it = objects.find(name.toString());
    if (it == objects.end())
        badInput(QStringLiteral("no object named \"%1\" (create it first)").arg(name.toString()));
    return it->second;
}

QMetaProperty ScenarioRunner::State::property(ScenarioObject &target, const QJsonValue &name) {
    const std::optional<QMetaProperty> found = meta::findProperty(*target.object->metaObject(), name.toString());
    if (!found)
        badInput(QStringLiteral("unknown property %1 of %2").arg(name.toString(), target.identifier));
    return *found;
}

QJsonValue ScenarioRunner::State::resolve(const QJsonValue &value) {
    const QJsonObject reference = value.toObject();
    if (!value.isObject() || reference.size() != 1 || !reference.value(QStringLiteral("ref")).isString())
        return value;
    const QString path = reference.value(QStringLiteral("ref")).toString();
    const qsizetype dot = path.indexOf(QLatin1Char('.'));
    if (dot < 0)
        badInput(QStringLiteral("a reference is written \"object.Property\", got \"%1\"").arg(path));
    ScenarioObject &target = object(path.left(dot));
    const QMetaProperty found = property(target, path.mid(dot + 1));
    if (meta::access(*target.object->metaObject(), found) == meta::Access::WriteOnly)
        badInput(QStringLiteral("%1 is write-only: it can be set but not read back").arg(path));
    return scenario::toScenarioValue(found.read(target.object.get()));
}

QVariant ScenarioRunner::State::objectValue(QMetaType type, const QJsonValue &value, const QString &what) {
    const QMetaObject *wanted = meta::pointee(type);
    QObject *pointer = nullptr;
    const QJsonObject reference = value.toObject();
    if (value.isObject() && reference.size() == 1 && reference.value(QStringLiteral("ref")).isString()) {
        // {"ref": "x.GridName"}: the object a property of another object holds (a grid).
        const QString path = reference.value(QStringLiteral("ref")).toString();
        const qsizetype dot = path.indexOf(QLatin1Char('.'));
        if (dot < 0)
            badInput(QStringLiteral("a reference is written \"object.Property\", got \"%1\"").arg(path));
        ScenarioObject &target = object(path.left(dot));
        const QVariant held = property(target, path.mid(dot + 1)).read(target.object.get());
        pointer = (held.metaType().flags() & QMetaType::PointerToQObject) ? held.value<QObject *>() : nullptr;
        if (pointer == nullptr || !pointer->metaObject()->inherits(wanted))
            badInput(QStringLiteral("%1 needs a %2, %3 holds none").arg(what, meta::typeLabel(type), path));
    } else if (value.isString()) {
        const QString name = value.toString();
        auto it = objects.find(name);
        if (it != objects.end())
            pointer = it->second.object.get();
        else if (name == kConnectionName)
            pointer = &sharedConnection();
        else
            badInput(QStringLiteral("%1: no object named \"%2\"").arg(what, name));
        if (!pointer->metaObject()->inherits(wanted))
            badInput(
                QStringLiteral("%1 needs a %2, \"%3\" is a %4")
                    .arg(what, meta::typeLabel(type), name, QString::fromLatin1(pointer->metaObject()->className())));
    } else if (!value.isNull()) {
        badInput(QStringLiteral("%1 needs the name of an object (or \"%2\"), got %3")
                     .arg(what, kConnectionName, scenario::kindOf(value)));
    }
    // Single inheritance from QObject: the object's address is the address of its class.
    return QVariant(type, &pointer);
}

// ---- the steps that drive objects ----

void ScenarioRunner::State::create(const QJsonObject &step) {
    const QString identifier = step.value(QStringLiteral("create")).toString();
    const QString name = step.value(QStringLiteral("as")).toString();
    if (name == kConnectionName)
        badInput(QStringLiteral("\"%1\" names the runner's connection; choose another name").arg(name));
    if (!Registry::instance().contains(identifier))
        badInput(QStringLiteral("unknown identifier %1").arg(identifier));
    std::unique_ptr<QObject> created = Registry::instance().create(identifier);
    const bool open = step.value(QStringLiteral("open")).toBool(true);
    QStringList given;
    for (const QMetaProperty &p : meta::properties(*created->metaObject())) {
        if (!p.isWritable())
            continue;
        if (isConnectionStringProperty(p)) {
            p.write(created.get(), connectionString);
            given << QString::fromLatin1(p.name());
        } else if (open && isConnectionProperty(p) && meta::pointee(p.metaType()) &&
                   Connection::staticMetaObject.inherits(meta::pointee(p.metaType()))) {
            p.write(created.get(), objectValue(p.metaType(), kConnectionName, QString::fromLatin1(p.name())));
            given << QString::fromLatin1(p.name());
        }
    }
    if (atomic && created->metaObject()->indexOfProperty("AtomicFlag") >= 0) {
        created->setProperty("AtomicFlag", true);
        given << QStringLiteral("AtomicFlag");
    }
    objects[name] = ScenarioObject{identifier, std::move(created)};
    out << "create " << name << " = " << identifier;
    if (!given.isEmpty())
        out << " (" << given.join(QStringLiteral(", ")) << " given)";
    out << '\n';
}

void ScenarioRunner::State::set(const QJsonObject &step) {
    ScenarioObject &target = object(step.value(QStringLiteral("set")));
    const QJsonObject values = step.value(QStringLiteral("values")).toObject();
    // Every value is converted first, so a bad one leaves the object as it was.
    std::vector<std::pair<QMetaProperty, QVariant>> writes;
    for (auto it = values.begin(); it != values.end(); ++it) {
        const QMetaProperty p = property(target, it.key());
        if (!p.isWritable())
            badInput(QStringLiteral("%1 is read-only").arg(QString::fromLatin1(p.name())));
        const QJsonValue value = resolve(it.value());
        if (meta::pointee(p.metaType())) {
            writes.emplace_back(p, objectValue(p.metaType(), value, QString::fromLatin1(p.name())));
            continue;
        }
        QString error;
        std::optional<QVariant> converted = scenario::convert(value, p.metaType(), error);
        if (!converted)
            badInput(
                QStringLiteral("%1 (%2): %3").arg(QString::fromLatin1(p.name()), meta::typeLabel(p.metaType()), error));
        writes.emplace_back(p, *converted);
    }
    QStringList names;
    for (const auto &[p, value] : writes) {
        if (!p.write(target.object.get(), value))
            badInput(
                QStringLiteral("%1 does not take %2").arg(QString::fromLatin1(p.name()), scenario::showActual(value)));
        names << QString::fromLatin1(p.name());
    }
    out << "set " << step.value(QStringLiteral("set")).toString() << ": " << names.join(QStringLiteral(", ")) << '\n';
}

void ScenarioRunner::State::fillGrid(const QJsonObject &step) {
    const QString objectName = step.value(QStringLiteral("grid")).toString();
    ScenarioObject &target = object(objectName);
    const QMetaProperty p = property(target, step.value(QStringLiteral("property")));
    const QMetaObject *holds = meta::pointee(p.metaType());
    if (!p.isWritable() || !holds || !MemoryGrid::staticMetaObject.inherits(holds))
        badInput(QStringLiteral("%1 is not a grid property").arg(QString::fromLatin1(p.name())));

    const QJsonArray rows = step.value(QStringLiteral("rows")).toArray();
    const int cols = step.value(QStringLiteral("cols")).toInt(32);
    const int rowCount = step.value(QStringLiteral("rowCount")).toInt(int(rows.size()) + 2);
    if (cols < 1)
        badInput(QStringLiteral("cols must be at least 1"));
    // A size no front end could show is a mistake in the scenario, not a grid to allocate.
    if (rowCount > kMaxGridRows)
        badInput(QStringLiteral("rowCount %1 is more than a grid can show (at most %2 rows)").arg(rowCount).arg(kMaxGridRows));
    if (cols > kMaxGridColumns)
        badInput(QStringLiteral("cols %1 is more than a grid can show (at most %2 columns)").arg(cols).arg(kMaxGridColumns));
    if (qint64(rowCount) * cols > kMaxGridCells)
        badInput(QStringLiteral("a grid of %1 x %2 is more than a grid can show (at most %3 cells)")
                     .arg(rowCount)
                     .arg(cols)
                     .arg(kMaxGridCells));
    if (rowCount < rows.size() + 1)
        badInput(
            QStringLiteral("rowCount %1 leaves no room for the header row and %2 rows").arg(rowCount).arg(rows.size()));
    auto grid = std::make_unique<MemoryGrid>(rowCount, cols);
    for (int r = 0; r < rows.size(); ++r) {
        if (!rows[r].isArray())
            badInput(QStringLiteral("row %1 must be a list of cells").arg(r + 1));
        const QJsonArray cells = rows[r].toArray();
        if (cells.size() > cols)
            badInput(QStringLiteral("row %1 has %2 cells, the grid %3 columns").arg(r + 1).arg(cells.size()).arg(cols));
        QStringList texts;
        for (int c = 0; c < cells.size(); ++c) {
            const QJsonValue cell = resolve(cells[c]);
            if (cell.isString())
                texts << cell.toString();
            else if (cell.isDouble())
                texts << scenario::showExpected(cell);
            else
                badInput(QStringLiteral("row %1, column %2: text is needed, got %3")
                             .arg(r + 1)
                             .arg(c)
                             .arg(scenario::kindOf(cell)));
        }
        grid->setRow(r + 1, texts);
    }
    QObject *pointer = grid.get();
    p.write(target.object.get(), QVariant(p.metaType(), &pointer));
    grids.push_back(std::move(grid));
    out << "grid " << objectName << '.' << p.name() << ": " << counted(rows.size(), "line", "lines") << " in a grid of "
        << rowCount << " x " << cols << '\n';
}

void ScenarioRunner::State::call(const QJsonObject &step) {
    const QString objectName = step.value(QStringLiteral("call")).toString();
    ScenarioObject &target = object(objectName);
    const QString operation = step.value(QStringLiteral("operation")).toString();
    const QJsonArray args = step.value(QStringLiteral("args")).toArray();

    std::vector<QMetaMethod> named;
    for (const QMetaMethod &method : meta::operations(*target.object->metaObject()))
        if (QLatin1String(method.name()) == operation)
            named.push_back(method);
    if (named.empty())
        for (const QMetaMethod &method : meta::operations(*target.object->metaObject()))
            if (QString::fromLatin1(method.name()).compare(operation, Qt::CaseInsensitive) == 0)
                named.push_back(method);
    if (named.empty())
        badInput(QStringLiteral("unknown operation %1 of %2").arg(operation, target.identifier));
    auto method = std::find_if(named.begin(), named.end(),
                               [&](const QMetaMethod &m) { return m.parameterCount() == args.size(); });
    if (method == named.end()) {
        QStringList forms;
        for (const QMetaMethod &m : named)
            forms << meta::signature(m);
        badInput(QStringLiteral("%1 does not take %2 argument(s): %3")
                     .arg(operation)
                     .arg(args.size())
                     .arg(forms.join(QStringLiteral("; "))));
    }
    // Arguments live here for the call; by-reference ones are read back afterwards.
    std::vector<ValueSlot> storage(args.size());
    QStringList shown;
    for (int i = 0; i < args.size(); ++i) {
        const QMetaType type = meta::parameterStorage(*method, i);
        const QString what = QStringLiteral("argument %1 of %2").arg(i + 1).arg(operation);
        const QJsonValue value = meta::pointee(type) ? args[i] : resolve(args[i]);
        if (!type.isValid())
            badInput(QStringLiteral("%1: its type %2 cannot be given in a scenario")
                         .arg(what, QString::fromLatin1(method->parameterTypes().value(i))));
        if (meta::pointee(type)) {
            storage[i].value = objectValue(type, value, what);
        } else {
            QString error;
            std::optional<QVariant> converted = scenario::convert(value, type, error);
            if (!converted)
                badInput(QStringLiteral("%1 (%2): %3").arg(what, meta::typeLabel(type), error));
            storage[i].value = *converted;
            storage[i].isVariant = type.id() == QMetaType::QVariant;
        }
        shown << (value.isString() && meta::pointee(type) ? value.toString() : scenario::showExpected(value));
    }
    ValueSlot result;
    const QMetaType returns = method->returnMetaType();
    const bool hasResult = returns.isValid() && returns.id() != QMetaType::Void;
    if (hasResult) {
        result.isVariant = returns.id() == QMetaType::QVariant;
        result.value = result.isVariant ? QVariant() : QVariant(returns);
    }
    // Called through the meta-object's argument array, which has no limit on the number of
    // arguments (an address collection's Add takes seventeen).
    std::vector<void *> argv{hasResult ? result.data() : nullptr};
    for (ValueSlot &slot : storage)
        argv.push_back(slot.data());
    if (QMetaObject::metacall(target.object.get(), QMetaObject::InvokeMetaMethod, method->methodIndex(), argv.data()) >= 0)
        badInput(QStringLiteral("%1 cannot be called").arg(operation));
    // The step's line, written whole once the call has returned.
    QString line = QStringLiteral("call %1.%2(%3)").arg(objectName, operation, shown.join(QStringLiteral(", ")));
    if (hasResult)
        line += QStringLiteral(" -> ") + scenario::showActual(result.value);
    const QList<QByteArray> parameterNames = method->parameterNames();
    for (int i = 0; i < args.size(); ++i)
        if (meta::isByReference(*method, i) && !meta::pointee(meta::parameterStorage(*method, i)))
            line += QStringLiteral("  [%1 = %2]")
                        .arg(QString::fromLatin1(parameterNames.value(i)), scenario::showActual(storage[i].value));
    const QVariant errDesc = target.object->property("ErrDesc");
    const bool reportedFalse = hasResult && returns.id() == QMetaType::Bool && !result.value.toBool();
    if (reportedFalse && errDesc.isValid())
        line += QStringLiteral("  (ErrDesc %1)").arg(scenario::showActual(errDesc));
    out << line << '\n';
    stepLineEnded = true;

    if (step.contains(QStringLiteral("expect"))) {
        const QJsonValue expected = resolve(step.value(QStringLiteral("expect")));
        if (!hasResult)
            badInput(QStringLiteral("%1 returns nothing to expect").arg(operation));
        if (!scenario::matches(result.value, expected)) {
            QString message =
                QStringLiteral("%1.%2 returned %3, expected %4")
                    .arg(objectName, operation, scenario::showActual(result.value), scenario::showExpected(expected));
            if (errDesc.isValid())
                message += QStringLiteral(" (ErrDesc %1)").arg(scenario::showActual(errDesc));
            expectationFailed(message);
        }
    }
}

} // namespace orbsales::cli
