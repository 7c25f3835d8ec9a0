#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace orbsales {
class Connection;
}

namespace orbsales::testing {

// A processing call as the front end is about to make it, with the objects and grids it needs.
struct ReadyCall {
    std::function<bool()> call;
    std::function<QString()> errDesc;
};

// Makes a document on the demo company ready for one processing operation (saving it, loading
// its source, whatever the screen does first) on the caller's open connection, every object with
// AtomicFlag as given, and answers the call still to be made.
using Prepare = ReadyCall (*)(Connection &caller, const QString &db, bool atomic);

struct ProcessingOperation {
    const char *name;
    Prepare prepare;
    // Whether the run without AtomicFlag is checked too: false where a failure part-way is known
    // to leave changes verify cannot name yet (docs/DECISIONS-hardening.md).
    bool stepByStep;
    // The operation has no error trap of its own: a failure reaches the caller as an exception.
    bool raises = false;
};

// The processing and cancelling operations the fault tests cover.
const std::vector<ProcessingOperation> &processingOperations();

} // namespace orbsales::testing
