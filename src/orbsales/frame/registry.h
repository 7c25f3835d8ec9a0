#pragma once

#include "orbsales/values/errors.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace orbsales {

// Creates objects by programmatic identifier ("OrbSales.SalesQuotation",
// "OrbSystem.CounterTransaction"): the library's own classes and the sibling components alike.
// Every request hands out a fresh object. A test may put its own factory in place of an entry
// for the life of a Registry::Override.
class Registry {
public:
    using Factory = std::function<std::unique_ptr<QObject>()>;

    static Registry &instance();

    void add(const QString &identifier, Factory factory);
    bool contains(const QString &identifier) const;
    QStringList identifiers() const;

    // Throws OrbError "ActiveX component can't create object" for an unknown identifier.
    std::unique_ptr<QObject> create(const QString &identifier) const;

    // Creates and checks the object offers the interface T.
    template <typename T> std::unique_ptr<T> make(const QString &identifier) const {
        std::unique_ptr<QObject> object = create(identifier);
        if (T *typed = qobject_cast<T *>(object.get())) {
            object.release();
            return std::unique_ptr<T>(typed);
        }
        throw OrbError(QStringLiteral("Object doesn't support this property or method: %1").arg(identifier));
    }

    // Replaces an entry until destroyed, then puts the previous factory back.
    class Override {
    public:
        Override(const QString &identifier, Factory factory);
        ~Override();
        Override(const Override &) = delete;
        Override &operator=(const Override &) = delete;

    private:
        QString m_identifier;
        Factory m_previous;
    };

private:
    Registry();
    Factory swap(const QString &identifier, Factory factory);

    struct State;
    std::unique_ptr<State> m_state;
};

// Convenience: Registry::instance().make<T>(identifier).
template <typename T> std::unique_ptr<T> createObject(const QString &identifier) {
    return Registry::instance().make<T>(identifier);
}

} // namespace orbsales
