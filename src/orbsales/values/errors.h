#pragma once

#include <QString>
#include <stdexcept>

namespace orbsales {

// The failures every layer raises. An unexpected failure inside an operation is an OrbError (or
// a subclass); the public operation is the one boundary that turns it into ErrDesc + false.
class OrbError : public std::runtime_error {
public:
    explicit OrbError(const QString &description)
        : std::runtime_error(description.toStdString()), m_description(description) {}
    const QString &description() const noexcept { return m_description; }

private:
    QString m_description;
};

// Raised by the database layer with the database's own text.
class DatabaseError : public OrbError {
public:
    using OrbError::OrbError;
};

// Raised by a grid call that cannot be carried out (a cell outside the grid).
class GridError : public OrbError {
public:
    using OrbError::OrbError;
};

// An object the operation needs was never handed in (a grid, a connection).
inline const QString kObjectNotSet = QStringLiteral("Object variable or With block variable not set");

template <typename T> T &required(T *object) {
    if (object == nullptr)
        throw OrbError(kObjectNotSet);
    return *object;
}

} // namespace orbsales
