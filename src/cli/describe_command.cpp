#include "commands.h"
#include "meta_access.h"
#include "text_table.h"

#include "orbsales/frame/registry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <exception>

namespace orbsales::cli {

namespace {

QString className(const QMetaObject &type) { return QString::fromLatin1(type.className()); }

void listIdentifiers(QTextStream &out) {
    QList<QStringList> rows;
    for (const QString &identifier : Registry::instance().identifiers()) {
        const std::unique_ptr<QObject> object = Registry::instance().create(identifier);
        const QMetaObject &type = *object->metaObject();
        rows << QStringList{identifier, meta::classInfo(type, "Interface"), className(type)};
    }
    printTable(out, {QStringLiteral("Identifier"), QStringLiteral("Interface"), QStringLiteral("Class")}, rows);
    out << "\norbsales describe IDENTIFIER lists the members of one of them; --json prints every class as JSON.\n";
}

void describe(QTextStream &out, const QString &identifier, const QObject &object) {
    const QMetaObject &type = *object.metaObject();
    out << identifier << "  (class " << className(type);
    const QString interface = meta::classInfo(type, "Interface");
    if (!interface.isEmpty())
        out << ", interface " << interface;
    out << ")\n";

    const std::vector<QMetaProperty> properties = meta::properties(type);
    out << "\nProperties (" << properties.size() << ")\n";
    QList<QStringList> rows;
    for (const QMetaProperty &property : properties)
        rows << QStringList{QString::fromLatin1(property.name()), meta::typeLabel(property.metaType()),
                            meta::accessText(meta::access(type, property))};
    printTable(out, {QStringLiteral("Name"), QStringLiteral("Type"), QStringLiteral("Access")}, rows);

    const std::vector<meta::Operation> operations = meta::callableOperations(type);
    out << "\nOperations (" << operations.size() << ")\n";
    for (const meta::Operation &operation : operations)
        out << "  " << meta::signature(operation) << '\n';

    const std::vector<QMetaMethod> signalList = meta::signalList(type);
    if (!signalList.empty()) {
        out << "\nSignals (" << signalList.size() << ")\n";
        for (const QMetaMethod &method : signalList)
            out << "  " << meta::signature(method) << '\n';
    }
}

// JSON for generating bindings: the package's type names beside the C++ ones.
QJsonObject operationJson(const meta::Operation &operation) {
    QJsonArray arguments;
    for (const meta::Argument &argument : operation.arguments)
        arguments.append(QJsonObject{{QStringLiteral("name"), argument.name},
                                     {QStringLiteral("type"), argument.type},
                                     {QStringLiteral("cppType"), argument.cppType},
                                     {QStringLiteral("byReference"), argument.byReference},
                                     {QStringLiteral("optional"), argument.optional}});
    QJsonObject json{{QStringLiteral("name"), operation.name}, {QStringLiteral("arguments"), arguments}};
    if (!operation.returns.isEmpty()) {
        json.insert(QStringLiteral("returns"), operation.returns);
        json.insert(QStringLiteral("cppReturns"), operation.cppReturns);
    }
    return json;
}

QJsonObject classJson(const QString &identifier, const QObject &object) {
    const QMetaObject &type = *object.metaObject();
    QJsonArray properties;
    for (const QMetaProperty &property : meta::properties(type))
        properties.append(QJsonObject{{QStringLiteral("name"), QString::fromLatin1(property.name())},
                                      {QStringLiteral("type"), meta::typeLabel(property.metaType())},
                                      {QStringLiteral("cppType"), QString::fromLatin1(property.typeName())},
                                      {QStringLiteral("access"), meta::accessText(meta::access(type, property))}});
    QJsonArray operations;
    for (const meta::Operation &operation : meta::callableOperations(type))
        operations.append(operationJson(operation));
    QJsonArray signalList;
    for (const QMetaMethod &method : meta::signalList(type))
        signalList.append(operationJson(meta::operationOf(method)));

    QJsonObject json{{QStringLiteral("identifier"), identifier},
                     {QStringLiteral("class"), className(type)},
                     {QStringLiteral("properties"), properties},
                     {QStringLiteral("operations"), operations},
                     {QStringLiteral("signals"), signalList}};
    for (const auto &[key, info] : {std::pair{"interface", "Interface"}, std::pair{"defaultMember", "DefaultMember"}})
        if (const QString value = meta::classInfo(type, info); !value.isEmpty())
            json.insert(QLatin1String(key), value);
    return json;
}

void printJson(QTextStream &out, const QStringList &identifiers) {
    QJsonArray classes;
    for (const QString &identifier : identifiers)
        classes.append(classJson(identifier, *Registry::instance().create(identifier)));
    out << QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("classes"), classes}}).toJson());
}

} // namespace

int runDescribe(const Invocation &call) {
    QStringList args = call.args;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (args.size() > 1) {
        call.err << "usage: orbsales describe [--json] [IDENTIFIER]\n";
        return kExitUsage;
    }
    try {
        if (args.isEmpty()) {
            if (json)
                printJson(call.out, Registry::instance().identifiers());
            else
                listIdentifiers(call.out);
            return kExitOk;
        }
        const QString identifier = args.first();
        if (!Registry::instance().contains(identifier)) {
            call.err << "orbsales describe: unknown identifier " << identifier
                     << " (orbsales describe without an argument lists them)\n";
            return kExitUsage;
        }
        if (json) {
            printJson(call.out, {identifier});
            return kExitOk;
        }
        const std::unique_ptr<QObject> object = Registry::instance().create(identifier);
        describe(call.out, identifier, *object);
        return kExitOk;
    } catch (const std::exception &error) {
        call.err << "orbsales describe: " << QString::fromUtf8(error.what()) << '\n';
        return kExitFailed;
    }
}

} // namespace orbsales::cli
