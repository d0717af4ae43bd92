#include "platform/win32/ServiceWait.h"

#include <algorithm>

namespace dravelo::platform::win32 {

namespace {

BOOL CALLBACK keepVisible(HWND window, LPARAM found)
{
    if (!IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

} // namespace

HWND questionOf(DWORD thread)
{
    HWND question = nullptr;
    EnumThreadWindows(thread, keepVisible, reinterpret_cast<LPARAM>(&question));
    return question;
}

ServiceWaitEnd waitWithoutWindows(HANDLE done, ServiceDeadline& deadline, DWORD askingThread)
{
    auto checked = std::chrono::steady_clock::now();
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        if (askingThread && questionOf(askingThread))
            deadline += now - checked;
        checked = now;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        if (left <= 0)
            break;
        const DWORD slice = std::min<DWORD>(static_cast<DWORD>(left), kQuestionPollMilliseconds);
        if (WaitForSingleObject(done, slice) == WAIT_OBJECT_0)
            return ServiceWaitEnd::Done;
    }
    return WaitForSingleObject(done, 0) == WAIT_OBJECT_0 ? ServiceWaitEnd::Done : ServiceWaitEnd::TimedOut;
}

} // namespace dravelo::platform::win32
