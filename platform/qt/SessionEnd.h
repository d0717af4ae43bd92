#pragma once
// The desktop session is ending (log-off, shut-down).

namespace dravelo::platform::qt {

class QtRuntime;

// The session manager's question: the core asks every window
// (RuntimeCore::querySessionEnd). False when a handler refuses, so that the
// session manager cancels the shut-down; when every window agrees the
// program ends.
bool sessionMayEnd(QtRuntime& runtime);

} // namespace dravelo::platform::qt
