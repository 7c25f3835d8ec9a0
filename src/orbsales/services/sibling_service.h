#pragma once

#include "orbsales/data/connection.h"
#include "orbsales/frame/error_trap.h"
#include "orbsales/values/numbers.h"
#include "orbsales/values/dates.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>
#include <utility>

namespace orbsales {

// What every sibling component of the package shares: ErrDesc, the error trap of its actions,
// and one hook through which each property assignment passes. The properties themselves live
// in the interfaces (a Let stores the value unchanged, as everywhere in the package), so our
// implementations and the recording doubles of the tests share one definition of them; only
// the actions are pure virtual.
class SiblingService : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ErrDesc READ ErrDesc)
public:
    using QObject::QObject;

    QString ErrDesc() const { return m_errDesc; }

protected:
    // Called after every property assignment with the property's name and new value. The
    // recording doubles keep these; our implementations have no use for them.
    virtual void assigned(const char *property, const QVariant &value) {
        Q_UNUSED(property);
        Q_UNUSED(value);
    }

    void setErrDesc(const QString &text) { m_errDesc = text; }
    bool fail(const QString &message) {
        m_errDesc = message;
        return false;
    }
    // The action boundary: an unexpected error becomes ErrDesc := its text and false.
    template <typename Body> bool trapped(Body &&body) { return trapErrors(m_errDesc, std::forward<Body>(body)); }

private:
    QString m_errDesc;
};

} // namespace orbsales

// A property of a sibling interface: Q_PROPERTY of that exact name, getter `Name()`, setter
// `setName()` that stores the value unchanged and reports the assignment.
#define ORB_SIBLING_PROPERTY(Type, Name)                                                                               \
    Q_PROPERTY(Type Name READ Name WRITE set##Name)                                                                    \
public:                                                                                                                \
    Type Name() const { return m_##Name; }                                                                             \
    void set##Name(const Type &value) {                                                                                \
        m_##Name = value;                                                                                              \
        assigned(#Name, QVariant::fromValue(value));                                                                   \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    Type m_##Name{};

// The caller's open connection (a Set of the connection object). The component uses it and
// never closes it.
#define ORB_SIBLING_CONNECTION(Name)                                                                                   \
    Q_PROPERTY(orbsales::Connection *Name READ Name WRITE set##Name)                                                   \
public:                                                                                                                \
    orbsales::Connection *Name() const { return m_##Name; }                                                            \
    void set##Name(orbsales::Connection *value) {                                                                      \
        m_##Name = value;                                                                                              \
        assigned(#Name, QVariant::fromValue(value));                                                                   \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    orbsales::Connection *m_##Name = nullptr;

// Date properties start at the zero date (30 December 1899), as every unset Date does.
#define ORB_SIBLING_DATE_PROPERTY(Name)                                                                                \
    Q_PROPERTY(QDateTime Name READ Name WRITE set##Name)                                                               \
public:                                                                                                                \
    QDateTime Name() const { return m_##Name; }                                                                        \
    void set##Name(const QDateTime &value) {                                                                           \
        m_##Name = value;                                                                                              \
        assigned(#Name, QVariant::fromValue(value));                                                                   \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    QDateTime m_##Name = ::orbsales::dates::zeroDate();

// An answer the component gives after an action: read-only to the caller, set by the
// component (`report<Name>`), which a recording double may script.
#define ORB_SIBLING_OUTPUT(Type, Name)                                                                                 \
    Q_PROPERTY(Type Name READ Name)                                                                                    \
public:                                                                                                                \
    Type Name() const { return m_##Name; }                                                                             \
                                                                                                                       \
protected:                                                                                                             \
    void report##Name(const Type &value) { m_##Name = value; }                                                         \
                                                                                                                       \
private:                                                                                                               \
    Type m_##Name{};
