#include "platform/win32/ThreadModality.h"

namespace dravelo::platform::win32 {

namespace {

struct Collect {
    HWND owner;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK disableWindow(HWND window, LPARAM context)
{
    const auto* collect = reinterpret_cast<const Collect*>(context);
    if (window != collect->owner && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        collect->disabled->push_back(window);
    }
    return TRUE;
}

} // namespace

ThreadModality::ThreadModality(HWND owner, bool disableOthers)
    : owner_(owner), active_(GetActiveWindow()), focus_(GetFocus())
{
    ++depth_;
    if (!disableOthers)
        return;
    Collect collect{owner_, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), disableWindow, reinterpret_cast<LPARAM>(&collect));
}

void ThreadModality::enableWindows()
{
    if (enabled_)
        return;
    enabled_ = true;
    for (HWND window : disabled_)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
}

void ThreadModality::release()
{
    enableWindows();
    if (active_ && IsWindow(active_) && GetActiveWindow() != active_)
        SetForegroundWindow(active_);
    if (focus_ && IsWindow(focus_) && GetFocus() != focus_)
        SetFocus(focus_);
}

} // namespace dravelo::platform::win32
