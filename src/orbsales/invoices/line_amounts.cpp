#include "orbsales/invoices/line_amounts.h"

#include "orbsales/grid/unit_period.h"

#include <cmath>

namespace orbsales::invoice_amounts {

double openQuantity(double delivered, double invoiced, double returned, bool reinvoicing) {
    return reinvoicing ? delivered - returned - invoiced : delivered - invoiced;
}

double shownQuantity(double open) { return open < 0 ? 0 : open; }

bool amountedByQuantity(const QString &unitCell) {
    const UnitPeriod unit = splitUnitPeriod(unitCell);
    if (unit.periodType.isNull())
        return true;
    const QString period = unit.periodType.toString();
    return period == QLatin1String("Daily") || period == QLatin1String("Hourly");
}

double lineAmount(const QString &unitCell, double price, double discount, double quantity, double storedAmount) {
    const double byQuantity = (price - discount) * quantity;
    const double amount = amountedByQuantity(unitCell) ? byQuantity : storedAmount;
    return amount < 0 ? std::fabs(byQuantity) : amount;
}

} // namespace orbsales::invoice_amounts
