#pragma once

#include "orbsales/values/errors.h"

#include <QString>
#include <exception>

namespace orbsales {

// The error trap of every public operation, business object or sibling alike: an unexpected
// error becomes `errDesc` := its text and a false answer.
template <typename Body> bool trapErrors(QString &errDesc, Body &&body) {
    try {
        return body();
    } catch (const OrbError &error) {
        errDesc = error.description();
    } catch (const std::exception &error) {
        errDesc = QString::fromUtf8(error.what());
    }
    return false;
}

} // namespace orbsales
