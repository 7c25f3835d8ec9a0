#include "orbsales/customers/customer_address.h"

#include "orbsales/frame/class_id.h"

namespace orbsales {

CustomerAddress::CustomerAddress(QObject *parent) : QObject(parent), m_classDebugId(nextClassDebugId()) {}

} // namespace orbsales
