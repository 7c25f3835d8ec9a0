#include "front_end.h"

#include "orbsales/values/errors.h"
#include "orbsales/frame/registry.h"
#include "orbsales/grid/line_grid.h"

#include <QMetaObject>

namespace orbsales::cli {

namespace {
bool atomicDefault = false; // the commands run on one thread
} // namespace

FrontEndObject::AllOrNothing::AllOrNothing(bool on) : m_before(atomicDefault) { atomicDefault = on; }
FrontEndObject::AllOrNothing::~AllOrNothing() { atomicDefault = m_before; }
bool FrontEndObject::atomicByDefault() { return atomicDefault; }

FrontEndObject::FrontEndObject(const QString &identifier)
    : m_identifier(identifier), m_object(Registry::instance().create(identifier)) {
    if (atomicDefault && m_object->metaObject()->indexOfProperty("AtomicFlag") >= 0)
        m_object->setProperty("AtomicFlag", true);
}

void FrontEndObject::set(const char *name, const QVariant &value) {
    if (m_object->metaObject()->indexOfProperty(name) < 0)
        throw OrbError(QStringLiteral("%1 has no property %2").arg(m_identifier, QLatin1String(name)));
    if (!m_object->setProperty(name, value))
        throw OrbError(QStringLiteral("%1.%2 does not take the value %3")
                           .arg(m_identifier, QLatin1String(name), value.toString()));
}

void FrontEndObject::setGrid(const char *name, LineGrid *grid) { set(name, QVariant::fromValue(grid)); }

QVariant FrontEndObject::get(const char *name) const {
    if (m_object->metaObject()->indexOfProperty(name) < 0)
        throw OrbError(QStringLiteral("%1 has no property %2").arg(m_identifier, QLatin1String(name)));
    return m_object->property(name);
}

bool FrontEndObject::call(const char *operation) {
    bool result = false;
    if (!QMetaObject::invokeMethod(m_object.get(), operation, Qt::DirectConnection, Q_RETURN_ARG(bool, result)))
        throw OrbError(QStringLiteral("%1 has no operation %2()").arg(m_identifier, QLatin1String(operation)));
    return result;
}

} // namespace orbsales::cli
