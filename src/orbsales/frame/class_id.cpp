#include "orbsales/frame/class_id.h"

#include "orbsales/values/errors.h"

#include <limits>

namespace orbsales {

namespace {
thread_local qint32 t_classDebugCounter = 0;
}

qint32 nextClassDebugId() {
    if (t_classDebugCounter == std::numeric_limits<qint32>::max())
        throw OrbError(QStringLiteral("Overflow"));
    return ++t_classDebugCounter;
}

void setClassDebugCounter(qint32 value) { t_classDebugCounter = value; }

} // namespace orbsales
