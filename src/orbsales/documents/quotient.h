#pragma once

#include "orbsales/values/errors.h"

namespace orbsales {

// dividend / divisor as the package has always divided: a divisor of 0 is a run-time error,
// "Division by zero", or "Overflow" when the dividend is 0 too. Used where a price per unit is
// worked out from an amount and a quantity that may be 0.
inline double quotient(double dividend, double divisor) {
    if (divisor == 0)
        throw OrbError(dividend == 0 ? QStringLiteral("Overflow") : QStringLiteral("Division by zero"));
    return dividend / divisor;
}

} // namespace orbsales
