#include "meta_access.h"

#include "orbsales/data/connection.h"
#include "orbsales/grid/line_grid.h"

#include <QObject>

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

QString signature(const QMetaMethod &method) {
    QStringList parameters;
    const QList<QByteArray> names = method.parameterNames();
    for (int i = 0; i < method.parameterCount(); ++i) {
        QString text = typeLabel(parameterStorage(method, i));
        if (isByReference(method, i))
            text += QLatin1Char('&');
        if (!names.value(i).isEmpty())
            text += QLatin1Char(' ') + QString::fromLatin1(names.value(i));
        parameters << text;
    }
    QString text = QString::fromLatin1(method.name()) + QLatin1Char('(') + parameters.join(QStringLiteral(", ")) +
                   QLatin1Char(')');
    const QString result = typeLabel(method.returnMetaType());
    if (!result.isEmpty())
        text += QStringLiteral(" -> ") + result;
    return text;
}

} // namespace orbsales::cli::meta
