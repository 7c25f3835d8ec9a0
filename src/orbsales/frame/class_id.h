#pragma once

#include <QtGlobal>

namespace orbsales {

// The instance number handed to each new CustomerAddress: one counter per thread, starting at
// 0 and raised before each use, so the first instance of a thread gets 1. Raising it past the
// largest 32-bit value is an overflow error (OrbError "Overflow").
qint32 nextClassDebugId();

// For tests: sets the calling thread's counter.
void setClassDebugCounter(qint32 value);

} // namespace orbsales
