#pragma once
#include "orbsales/values/dates.h"

// Declares a business-object property: a Q_PROPERTY of that exact name over a private field,
// a getter of the same name and a set<Name> setter. Get returns the field unchanged; Let
// stores the value unchanged, with no check, no trimming and no side effect.
#define ORB_PROPERTY(Type, Name)                                                                                       \
    Q_PROPERTY(Type Name READ Name WRITE set##Name)                                                                    \
public:                                                                                                                \
    Type Name() const { return m_##Name; }                                                                             \
    void set##Name(const Type &value) { m_##Name = value; }                                                            \
                                                                                                                       \
private:                                                                                                               \
    Type m_##Name{};

// A property the front end may only read (the object sets it).
#define ORB_READONLY_PROPERTY(Type, Name)                                                                              \
    Q_PROPERTY(Type Name READ Name)                                                                                    \
public:                                                                                                                \
    Type Name() const { return m_##Name; }                                                                             \
                                                                                                                       \
private:                                                                                                               \
    Type m_##Name{};

// Date properties start at the zero date (30 December 1899), not at an invalid date.
#define ORB_DATE_PROPERTY(Name)                                                                                        \
    Q_PROPERTY(QDateTime Name READ Name WRITE set##Name)                                                               \
public:                                                                                                                \
    QDateTime Name() const { return m_##Name; }                                                                        \
    void set##Name(const QDateTime &value) { m_##Name = value; }                                                       \
                                                                                                                       \
private:                                                                                                               \
    QDateTime m_##Name = ::orbsales::dates::zeroDate();
