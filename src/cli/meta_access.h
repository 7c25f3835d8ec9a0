#pragma once

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Reaching a business object by member name, as the front end does: its properties and
// operations from its meta-object, without QObject's own members.
namespace orbsales::cli::meta {

enum class Access { ReadWrite, ReadOnly, WriteOnly };

// Properties and methods the class and its bases declare below QObject.
std::vector<QMetaProperty> properties(const QMetaObject &type);
std::vector<QMetaMethod> operations(const QMetaObject &type); // Q_INVOKABLE methods and public slots
std::vector<QMetaMethod> signalList(const QMetaObject &type);

// A property by name: the exact spelling first, then case-insensitively (the front end's
// language does not care about case).
std::optional<QMetaProperty> findProperty(const QMetaObject &type, QStringView name);

// Properties that can be set but not read back; a class lists them in
// Q_CLASSINFO("WriteOnly", "Name1 Name2").
QStringList writeOnlyNames(const QMetaObject &type);
Access access(const QMetaObject &type, const QMetaProperty &property);
QString accessText(Access access);

// The class that a pointer-to-QObject type points to; nullptr for every other type.
const QMetaObject *pointee(QMetaType type);

// The storage type of a parameter: the parameter's type without the by-reference mark.
QMetaType parameterStorage(const QMetaMethod &method, int index);
bool isByReference(const QMetaMethod &method, int index);

// Types as the package names them: String, Double, Long, Integer, Boolean, Date, Variant, and
// the class name for an object.
QString typeLabel(QMetaType type);

// A member as a caller reaches it by name.
struct Argument {
    QString name;
    QString type;    // typeLabel
    QString cppType; // as declared, without const and &: "QString", "orbsales::Connection*"
    bool byReference = false; // the callee may write the caller's variable (QString &, double &)
    bool optional = false;    // may be left out, with the arguments after it
};
struct Operation {
    QString name;
    QString returns; // typeLabel; empty when the operation returns nothing
    QString cppReturns;
    std::vector<Argument> arguments;
};

Operation operationOf(const QMetaMethod &method);
// The operations of a class, each listed once. Qt gives a method with defaulted arguments one
// meta-method per form (CustomerAddresses.Add: 17, 16 and 15 arguments); those forms, and
// overloads that are a longer form's leading arguments (Get_Last_Counter with and without
// temporaryNumber), make one operation whose trailing arguments are optional. A member that is
// also a property (CustomerAddresses.Count) is the property only.
std::vector<Operation> callableOperations(const QMetaObject &type);

// "Get_Last_Counter(Connection& connection, [Optional Boolean temporaryNumber]) -> Boolean"
QString signature(const Operation &operation);
QString signature(const QMetaMethod &method);

// A class information entry, or an empty text.
QString classInfo(const QMetaObject &type, const char *name);

} // namespace orbsales::cli::meta
