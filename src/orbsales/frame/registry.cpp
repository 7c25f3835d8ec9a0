#include "orbsales/frame/registry.h"

#include "orbsales/frame/registrations.h"

#include <QHash>
#include <QMutex>
#include <algorithm>

namespace orbsales {

struct Registry::State {
    mutable QMutex mutex;
    QHash<QString, Factory> factories;
};

Registry::Registry() : m_state(std::make_unique<State>()) {}

Registry &Registry::instance() {
    static Registry *registry = [] {
        auto *created = new Registry; // lives for the whole process, also for threads still running at exit
        registerLibraryClasses(*created);
        registerPackageServices(*created);
        return created;
    }();
    return *registry;
}

void Registry::add(const QString &identifier, Factory factory) {
    QMutexLocker lock(&m_state->mutex);
    m_state->factories.insert(identifier, std::move(factory));
}

bool Registry::contains(const QString &identifier) const {
    QMutexLocker lock(&m_state->mutex);
    return m_state->factories.contains(identifier);
}

QStringList Registry::identifiers() const {
    QMutexLocker lock(&m_state->mutex);
    QStringList names = m_state->factories.keys();
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<QObject> Registry::create(const QString &identifier) const {
    Factory factory;
    {
        QMutexLocker lock(&m_state->mutex);
        factory = m_state->factories.value(identifier);
    }
    if (!factory)
        throw OrbError(QStringLiteral("ActiveX component can't create object: %1").arg(identifier));
    return factory();
}

Registry::Factory Registry::swap(const QString &identifier, Factory factory) {
    QMutexLocker lock(&m_state->mutex);
    Factory previous = m_state->factories.value(identifier);
    if (factory)
        m_state->factories.insert(identifier, std::move(factory));
    else
        m_state->factories.remove(identifier);
    return previous;
}

Registry::Override::Override(const QString &identifier, Factory factory)
    : m_identifier(identifier), m_previous(Registry::instance().swap(identifier, std::move(factory))) {}

Registry::Override::~Override() { Registry::instance().swap(m_identifier, std::move(m_previous)); }

} // namespace orbsales
