#pragma once
// The desktop session is ending (log-off, shut-down).

namespace dravelo::platform::qt {

class QtRuntime;

// Raises the close query of every loaded window, in load order, for the
// ending session. False when a handler refuses, so that the session manager
// cancels the shut-down. When every window agrees the program ends. While a
// close query is already waiting for its answer, false without asking.
bool sessionMayEnd(QtRuntime& runtime);

} // namespace dravelo::platform::qt
