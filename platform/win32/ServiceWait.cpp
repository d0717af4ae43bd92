#include "platform/win32/ServiceWait.h"

namespace dravelo::platform::win32 {

ServiceWaitEnd waitWithoutWindows(HANDLE done, ServiceDeadline deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    const DWORD milliseconds = left > 0 ? static_cast<DWORD>(left) : 0;
    return WaitForSingleObject(done, milliseconds) == WAIT_OBJECT_0 ? ServiceWaitEnd::Done : ServiceWaitEnd::TimedOut;
}

} // namespace dravelo::platform::win32
