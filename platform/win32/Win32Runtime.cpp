#include "platform/win32/Win32Runtime.h"

#include "platform/win32/ThreadModality.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FormWindow.h"
#include "platform/win32/Win32Twips.h"

#include <algorithm>

namespace dravelo::platform::win32 {

namespace {
// How often a wait without an event to wait on looks at its call.
constexpr DWORD kPollMilliseconds = 20;
// How long a service call may take before the program shows that it waits.
constexpr std::chrono::milliseconds kUnseenWait{200};
} // namespace

Win32Runtime::Win32Runtime(std::vector<FormDesign> designs, HINSTANCE instance)
    : RuntimeCore(std::move(designs), *this, services_), instance_(instance),
      services_([this](HANDLE done, ServiceDeadline& deadline, DWORD askingThread) {
          return waitForService(done, deadline, askingThread);
      })
{
    Win32FormWindow::registerClasses(instance_);
}

Win32Runtime::~Win32Runtime()
{
    discardWindows();
    controlWindows_.clear();
    unloaded_.clear();
    // An end of program nobody pumped must not end a later message loop.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

Win32FormWindow* Win32Runtime::formWindow(const std::string& form) const
{
    return static_cast<Win32FormWindow*>(toolkitWindow(form));
}

Win32Runtime::Found Win32Runtime::controlOf(HWND hwnd) const
{
    auto found = controlWindows_.find(hwnd);
    if (found == controlWindows_.end())
        return {nullptr, nullptr};
    return {found->second, found->second->controlOf(hwnd)};
}

HWND Win32Runtime::window(const std::string& form) const
{
    Win32FormWindow* w = formWindow(form);
    return w ? w->hwnd() : nullptr;
}

HWND Win32Runtime::control(const ControlId& id) const
{
    Win32FormWindow* w = formWindow(id.form);
    const Win32Control* c = w ? w->find(id) : nullptr;
    return c ? c->hwnd : nullptr;
}

ToolkitWindow& Win32Runtime::createWindow(const FormDesign& design, const Look& look, const WindowPlace& place)
{
    return *windows_.emplace_back(std::make_unique<Win32FormWindow>(*this, design, look, place, instance_));
}

void Win32Runtime::destroyWindow(ToolkitWindow& window)
{
    auto found = std::find_if(windows_.begin(), windows_.end(),
                              [&](const std::unique_ptr<Win32FormWindow>& w) { return w.get() == &window; });
    if (found == windows_.end())
        return;
    std::unique_ptr<Win32FormWindow> w = std::move(*found);
    windows_.erase(found);
    for (const Win32Control& c : w->formControls())
        controlWindows_.erase(c.hwnd);
    w->retire();
    // Later: this may run inside one of the window's own handlers.
    unloaded_.push_back(std::move(w));
}

void Win32Runtime::collectUnloaded()
{
    if (handlerDepth_ == 0)
        unloaded_.clear();
}

ScreenSize Win32Runtime::screenSize() const
{
    const SIZE pixels = primaryScreenPixels();
    const TwipsPerPixel twips = screenTwipsPerPixel();
    return {static_cast<float>(pixels.cx * twips.across), static_cast<float>(pixels.cy * twips.down)};
}

HWND Win32Runtime::activeFormWindow() const
{
    HWND active = GetActiveWindow();
    for (const auto& w : windows_)
        if (w->hwnd() == active)
            return active;
    return nullptr;
}

MsgAnswer Win32Runtime::askUser(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton)
{
    return showMessageBox(activeFormWindow(), text, buttons, icon, defaultButton);
}

std::string Win32Runtime::askText(const std::string& prompt, const std::string& title)
{
    return showInputBox(activeFormWindow(), prompt, title);
}

void Win32Runtime::endEventLoop()
{
    // Ends the message loop and every modal box still up inside a handler.
    PostQuitMessage(0);
}

void Win32Runtime::runModalLoop(const std::function<bool()>& finished, std::chrono::steady_clock::time_point deadline)
{
    waitLoop(finished, nullptr, deadline, 0);
}

ServiceWaitEnd Win32Runtime::waitForService(HANDLE done, ServiceDeadline& deadline, DWORD askingThread)
{
    const auto signalled = [done] { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; };
    if (!ended() && !signalled()) {
        const ModalPeriod wait(*this);
        waitLoop([&] { return ended() || signalled(); }, done, deadline, askingThread);
    }
    // A call that came back while a box of the program's own was up past
    // the deadline (the log-off question) came back all the same.
    if (signalled())
        return ServiceWaitEnd::Done;
    return ended() ? ServiceWaitEnd::ProgramEnded : ServiceWaitEnd::TimedOut;
}

void Win32Runtime::waitLoop(const std::function<bool()>& finished, HANDLE done, ServiceDeadline& deadline,
                            DWORD askingThread)
{
    // Woken by the event where there is one; else, and while the call may
    // ask the user, the wait looks at the call now and then.
    const DWORD handles = done ? 1 : 0;
    const auto slice = [&](ServiceDeadline until) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        const DWORD most = !done ? kPollMilliseconds : askingThread ? kQuestionPollMilliseconds : INFINITE;
        return static_cast<DWORD>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, most));
    };
    // A call that answers within a moment is not shown as a wait: no window
    // is disabled for it. Meanwhile the system's own events are still read,
    // the keys and clicks staying queued, so that under Wine a window being
    // activated (as the input box of "&Salva" goes) takes the keyboard while
    // it is still enabled: once disabled, it would refuse it for good.
    // A question of the call's own ends that moment at once.
    const ServiceDeadline unseenUntil = std::min(deadline, std::chrono::steady_clock::now() + kUnseenWait);
    while (!finished() && std::chrono::steady_clock::now() < unseenUntil) {
        if (askingThread && questionOf(askingThread))
            break;
        const DWORD woken = MsgWaitForMultipleObjectsEx(handles, &done, slice(unseenUntil), QS_ALLINPUT, 0);
        if (woken != WAIT_TIMEOUT && woken != WAIT_OBJECT_0 + handles)
            break;
    }
    if (finished() || std::chrono::steady_clock::now() >= deadline)
        return;

    // The forms' class cursor is what the system shows over them.
    const HCURSOR waitCursor = LoadCursorW(nullptr, IDC_WAIT);
    std::vector<std::pair<HWND, LONG_PTR>> cursors;
    for (const auto& w : windows_)
        cursors.emplace_back(w->hwnd(),
                             SetClassLongPtrW(w->hwnd(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(waitCursor)));
    SetCursor(waitCursor);
    // A box opened meanwhile (the session end's question) enables its owner
    // again when it goes: every round disables what is enabled again.
    std::vector<std::unique_ptr<ThreadModality>> held;
    held.push_back(std::make_unique<ThreadModality>(nullptr, true));
    HWND question = nullptr;
    auto checked = std::chrono::steady_clock::now();
    while (!finished()) {
        // The call's own question (a printer's file name, a driver's PIN)
        // waits for the user: the clock stops while it is up, and it comes
        // to the front where the user can answer it.
        const auto now = std::chrono::steady_clock::now();
        if (HWND asking = askingThread ? questionOf(askingThread) : nullptr) {
            deadline += now - checked;
            if (asking != question)
                SetForegroundWindow(asking);
            question = asking;
        }
        checked = now;
        if (now >= deadline)
            break;
        const DWORD woken = MsgWaitForMultipleObjectsEx(handles, &done, slice(deadline), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_TIMEOUT || (done && woken == WAIT_OBJECT_0))
            continue;
        if (woken != WAIT_OBJECT_0 + handles || !pumpHeldInput())
            return;
        held.push_back(std::make_unique<ThreadModality>(nullptr, true));
    }
    while (!held.empty())
        held.pop_back();
    for (auto it = cursors.rbegin(); it != cursors.rend(); ++it)
        if (IsWindow(it->first))
            SetClassLongPtrW(it->first, GCLP_HCURSOR, it->second);
    POINT pointer{};
    GetCursorPos(&pointer);
    SetCursorPos(pointer.x, pointer.y); // the system asks the window under it for its cursor again
}

bool Win32Runtime::holdingInput() const
{
    return held() || ThreadModality::holding();
}

bool Win32Runtime::pumpHeldInput()
{
    MSG message;
    while (!ended() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            break;
        // Keys and clicks meant for a disabled window are dropped, as no
        // window gets them under a modal box; the access keys of the
        // keyboard navigation would otherwise still press buttons.
        const bool input = (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                           (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST);
        if (input && message.hwnd && !IsWindowEnabled(GetAncestor(message.hwnd, GA_ROOT)))
            continue;
        if (!preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    collectUnloaded();
    return !ended();
}

int Win32Runtime::runMessageLoop()
{
    MSG message;
    while (!ended() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        collectUnloaded();
    }
    collectUnloaded();
    return 0;
}

bool Win32Runtime::pumpMessages()
{
    MSG message;
    while (!ended() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            break;
        if (!preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        collectUnloaded();
    }
    collectUnloaded();
    return !ended();
}

} // namespace dravelo::platform::win32
