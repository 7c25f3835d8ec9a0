#include "meta_access.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/line_grid.h"

#include <QObject>

#include <algorithm>

namespace orbsales::cli::meta {

namespace {

bool isOperation(const QMetaMethod &method) {
    return method.access() == QMetaMethod::Public &&
           (method.methodType() == QMetaMethod::Method || method.methodType() == QMetaMethod::Slot);
}

QString withoutNamespace(const char *name) {
    const QString text = QString::fromLatin1(name);
    const qsizetype at = text.lastIndexOf(QStringLiteral("::"));
    return at < 0 ? text : text.mid(at + 2);
}

} // namespace

std::vector<QMetaProperty> properties(const QMetaObject &type) {
    std::vector<QMetaProperty> list;
    for (int i = QObject::staticMetaObject.propertyCount(); i < type.propertyCount(); ++i)
        list.push_back(type.property(i));
    return list;
}

std::vector<QMetaMethod> operations(const QMetaObject &type) {
    std::vector<QMetaMethod> list;
    for (int i = QObject::staticMetaObject.methodCount(); i < type.methodCount(); ++i)
        if (isOperation(type.method(i)))
            list.push_back(type.method(i));
    return list;
}

std::vector<QMetaMethod> signalList(const QMetaObject &type) {
    std::vector<QMetaMethod> list;
    for (int i = QObject::staticMetaObject.methodCount(); i < type.methodCount(); ++i)
        if (type.method(i).methodType() == QMetaMethod::Signal)
            list.push_back(type.method(i));
    return list;
}

std::optional<QMetaProperty> findProperty(const QMetaObject &type, QStringView name) {
    const std::vector<QMetaProperty> all = properties(type);
    for (const QMetaProperty &property : all)
        if (QLatin1String(property.name()) == name)
            return property;
    for (const QMetaProperty &property : all)
        if (QString::fromLatin1(property.name()).compare(name, Qt::CaseInsensitive) == 0)
            return property;
    return std::nullopt;
}

QString classInfo(const QMetaObject &type, const char *name) {
    const int index = type.indexOfClassInfo(name);
    return index < 0 ? QString() : QString::fromUtf8(type.classInfo(index).value());
}

QStringList writeOnlyNames(const QMetaObject &type) {
    return classInfo(type, "WriteOnly").split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

Access access(const QMetaObject &type, const QMetaProperty &property) {
    if (!property.isWritable())
        return Access::ReadOnly;
    if (!property.isReadable() || writeOnlyNames(type).contains(QString::fromLatin1(property.name())))
        return Access::WriteOnly;
    return Access::ReadWrite;
}

QString accessText(Access access) {
    switch (access) {
    case Access::ReadOnly:
        return QStringLiteral("read-only");
    case Access::WriteOnly:
        return QStringLiteral("write-only");
    case Access::ReadWrite:
        break;
    }
    return QStringLiteral("read-write");
}

const QMetaObject *pointee(QMetaType type) {
    if (!type.isValid() || !(type.flags() & QMetaType::PointerToQObject))
        return nullptr;
    return type.metaObject();
}

bool isByReference(const QMetaMethod &method, int index) { return method.parameterTypes().value(index).endsWith('&'); }

QMetaType parameterStorage(const QMetaMethod &method, int index) {
    const QMetaType declared = method.parameterMetaType(index);
    if (declared.isValid())
        return declared;
    // By-reference parameters carry no meta type of their own: look up the referred type.
    // The object types that operations take by reference are registered here, so that a
    // lookup by name finds them before anything else has used them.
    static const bool registered = [] {
        qRegisterMetaType<orbsales::Connection *>();
        qRegisterMetaType<orbsales::LineGrid *>();
        return true;
    }();
    Q_UNUSED(registered);
    QByteArray name = method.parameterTypes().value(index);
    if (name.endsWith('&'))
        name.chop(1);
    return QMetaType::fromName(name);
}

QString typeLabel(QMetaType type) {
    if (!type.isValid())
        return QStringLiteral("?");
    if (const QMetaObject *object = pointee(type))
        return withoutNamespace(object->className());
    switch (type.id()) {
    case QMetaType::QString:
        return QStringLiteral("String");
    case QMetaType::Double:
        return QStringLiteral("Double");
    case QMetaType::Int:
        return QStringLiteral("Long");
    case QMetaType::Short:
        return QStringLiteral("Integer");
    case QMetaType::Bool:
        return QStringLiteral("Boolean");
    case QMetaType::QDateTime:
        return QStringLiteral("Date");
    case QMetaType::QVariant:
        return QStringLiteral("Variant");
    case QMetaType::Void:
        return QString();
    default:
        return QString::fromLatin1(type.name());
    }
}

Operation operationOf(const QMetaMethod &method) {
    Operation operation;
    operation.name = QString::fromLatin1(method.name());
    operation.returns = typeLabel(method.returnMetaType());
    if (!operation.returns.isEmpty())
        operation.cppReturns = QString::fromLatin1(method.typeName());
    const QList<QByteArray> names = method.parameterNames();
    const QList<QByteArray> types = method.parameterTypes();
    for (int i = 0; i < method.parameterCount(); ++i) {
        Argument argument;
        argument.name = QString::fromLatin1(names.value(i));
        argument.type = typeLabel(parameterStorage(method, i));
        argument.byReference = isByReference(method, i);
        argument.cppType = QString::fromLatin1(types.value(i));
        if (argument.byReference)
            argument.cppType.chop(1);
        operation.arguments.push_back(argument);
    }
    return operation;
}

namespace {

// True when `shorter` is `longer` without some trailing arguments.
bool isShorterForm(const QMetaMethod &shorter, const QMetaMethod &longer) {
    if (shorter.returnType() != longer.returnType() || shorter.parameterCount() >= longer.parameterCount())
        return false;
    const QList<QByteArray> shortTypes = shorter.parameterTypes();
    const QList<QByteArray> longTypes = longer.parameterTypes();
    return std::equal(shortTypes.begin(), shortTypes.end(), longTypes.begin());
}

bool isPropertyName(const QMetaObject &type, const QByteArray &name) {
    return findProperty(type, QString::fromLatin1(name)).has_value();
}

} // namespace

std::vector<Operation> callableOperations(const QMetaObject &type) {
    std::vector<QMetaMethod> methods;
    for (const QMetaMethod &method : operations(type))
        if (!isPropertyName(type, method.name()))
            methods.push_back(method);

    std::vector<Operation> list;
    std::vector<bool> merged(methods.size(), false);
    for (std::size_t i = 0; i < methods.size(); ++i) {
        if (merged[i])
            continue;
        // The longest form of this name that every other form of it is a shorter form of.
        std::size_t longest = i;
        for (std::size_t j = 0; j < methods.size(); ++j)
            if (!merged[j] && methods[j].name() == methods[i].name() && isShorterForm(methods[longest], methods[j]))
                longest = j;
        int required = methods[longest].parameterCount();
        for (std::size_t j = 0; j < methods.size(); ++j) {
            if (merged[j] || methods[j].name() != methods[longest].name() || !isShorterForm(methods[j], methods[longest]))
                continue;
            merged[j] = true;
            required = std::min(required, methods[j].parameterCount());
        }
        merged[longest] = true;
        Operation operation = operationOf(methods[longest]);
        for (std::size_t a = static_cast<std::size_t>(required); a < operation.arguments.size(); ++a)
            operation.arguments[a].optional = true;
        list.push_back(std::move(operation));
    }
    return list;
}

QString signature(const Operation &operation) {
    QStringList parameters;
    for (const Argument &argument : operation.arguments) {
        QString text = argument.type;
        if (argument.byReference)
            text += QLatin1Char('&');
        if (!argument.name.isEmpty())
            text += QLatin1Char(' ') + argument.name;
        parameters << (argument.optional ? QStringLiteral("[Optional %1]").arg(text) : text);
    }
    QString text = operation.name + QLatin1Char('(') + parameters.join(QStringLiteral(", ")) + QLatin1Char(')');
    if (!operation.returns.isEmpty())
        text += QStringLiteral(" -> ") + operation.returns;
    return text;
}

QString signature(const QMetaMethod &method) { return signature(operationOf(method)); }

} // namespace orbsales::cli::meta
