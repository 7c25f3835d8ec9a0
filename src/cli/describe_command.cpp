#include "commands.h"
#include "meta_access.h"
#include "text_table.h"

#include "orbsales/frame/registry.h"

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
    out << "\norbsales describe IDENTIFIER lists the members of one of them.\n";
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

    const std::vector<QMetaMethod> operations = meta::operations(type);
    out << "\nOperations (" << operations.size() << ")\n";
    for (const QMetaMethod &method : operations)
        out << "  " << meta::signature(method) << '\n';

    const std::vector<QMetaMethod> signalList = meta::signalList(type);
    if (!signalList.empty()) {
        out << "\nSignals (" << signalList.size() << ")\n";
        for (const QMetaMethod &method : signalList)
            out << "  " << meta::signature(method) << '\n';
    }
}

} // namespace

int runDescribe(const Invocation &call) {
    if (call.args.size() > 1) {
        call.err << "usage: orbsales describe [IDENTIFIER]\n";
        return kExitUsage;
    }
    try {
        if (call.args.isEmpty()) {
            listIdentifiers(call.out);
            return kExitOk;
        }
        const QString identifier = call.args.first();
        if (!Registry::instance().contains(identifier)) {
            call.err << "orbsales describe: unknown identifier " << identifier
                     << " (orbsales describe without an argument lists them)\n";
            return kExitUsage;
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
