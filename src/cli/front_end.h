#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>

namespace orbsales {
class LineGrid;
namespace cli {

// A business object driven as the front end drives it: created by its identifier through the
// registry, properties set and read by name, operations called by name. Used by the demo and
// the benchmark, so that they go through the same door as any caller.
class FrontEndObject {
public:
    // Throws OrbError for an unknown identifier. A business object starts with AtomicFlag set
    // while an AllOrNothing switch is on (the commands' --atomic option).
    explicit FrontEndObject(const QString &identifier);

    // Sets AtomicFlag on every business object created while it lives.
    class AllOrNothing {
    public:
        explicit AllOrNothing(bool on);
        ~AllOrNothing();
        AllOrNothing(const AllOrNothing &) = delete;
        AllOrNothing &operator=(const AllOrNothing &) = delete;

    private:
        bool m_before;
    };
    static bool atomicByDefault();

    const QString &identifier() const { return m_identifier; }
    QObject &object() const { return *m_object; }

    // Throws OrbError when the object has no such property or it does not take the value.
    void set(const char *name, const QVariant &value);
    void setGrid(const char *name, LineGrid *grid);
    QVariant get(const char *name) const;
    QString text(const char *name) const { return get(name).toString(); }

    // A Boolean operation without arguments. Throws OrbError when there is no such operation.
    bool call(const char *operation);
    QString errDesc() const { return get("ErrDesc").toString(); }

private:
    QString m_identifier;
    std::unique_ptr<QObject> m_object;
};

} // namespace cli
} // namespace orbsales
