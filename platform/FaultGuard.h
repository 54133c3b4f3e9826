#pragma once
// Runs a call into code we do not control (a vendor's client library) so that
// a crash inside it (access violation, bus error, illegal instruction,
// arithmetic fault) ends the call instead of the program, as structured
// exception handling does on Windows. After a fault the foreign code's state
// is unknown: the caller must not call into it again.
// Only faults raised by the calling thread inside the call are caught.

#include <functional>

namespace platform {

// Runs the call. Returns false when it faulted (and was cut short).
bool runGuarded(const std::function<void()>& call);

}  // namespace platform
