#include "orbsales/frame/registrations.h"
#include "orbsales/invoices/sales_invoice.h"

namespace orbsales {

void registerInvoiceClasses(Registry &registry) {
    registry.add(QStringLiteral("OrbSales.SalesInvoice"), factoryOf<SalesInvoice>());
}

} // namespace orbsales
