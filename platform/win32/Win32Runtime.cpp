#include "platform/win32/Win32Runtime.h"

#include "platform/win32/ThreadModality.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FormWindow.h"
#include "platform/win32/Win32Printer.h"
#include "platform/win32/Win32Regional.h"
#include "platform/win32/Win32Twips.h"

#include <algorithm>
#include <stdexcept>

namespace dravelo::platform::win32 {

namespace {
// What the services answer once the program has ended.
constexpr const char* kProgramEnded = "the program has ended";
// How long a service call may take before the program shows that it waits.
constexpr std::chrono::milliseconds kUnseenWait{200};
} // namespace

Win32Runtime::Win32Runtime(std::vector<FormDesign> designs, HINSTANCE instance)
    : designs_(std::move(designs)), instance_(instance),
      files_([this](HANDLE done, ServiceDeadline& deadline, DWORD askingThread) {
          return waitForService(done, deadline, askingThread);
      })
{
    Win32FormWindow::registerClasses(instance_);
}

Win32Runtime::~Win32Runtime()
{
    events_ = nullptr;
    ended_ = true;
    controlWindows_.clear();
    windows_.clear();
    unloaded_.clear();
    // An end of program nobody pumped must not end a later message loop.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

const FormDesign& Win32Runtime::designOf(const std::string& form) const
{
    for (const FormDesign& design : designs_)
        if (design.name == form)
            return design;
    throw std::logic_error("no design for window " + form);
}

Win32FormWindow* Win32Runtime::formWindow(const std::string& form) const
{
    auto found = windows_.find(form);
    return found == windows_.end() ? nullptr : found->second.get();
}

Win32FormWindow& Win32Runtime::loadedWindow(const std::string& form) const
{
    Win32FormWindow* w = formWindow(form);
    if (!w)
        throw std::logic_error("window not loaded: " + form);
    return *w;
}

Win32Runtime::Found Win32Runtime::findControl(const ControlId& id) const
{
    Win32FormWindow& w = loadedWindow(id.form);
    Win32Control* control = w.find(id);
    if (!control)
        throw std::logic_error("no control " + id.form + "." + id.name);
    return {&w, control};
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

void Win32Runtime::show(const std::string& form)
{
    if (ended_)
        return;
    if (Win32FormWindow* shown = formWindow(form)) {
        shown->bringToFront();
        return;
    }
    windows_[form] = std::make_unique<Win32FormWindow>(*this, designOf(form), instance_);
    Win32FormWindow* w = windows_[form].get();
    loadOrder_.push_back(form);
    dispatch([&](FormEvents& e) { e.load(form); });
    if (ended_ || formWindow(form) != w)
        return;
    w->showAsDesigned();
}

bool Win32Runtime::queryClose(const std::string& form, UnloadMode mode)
{
    if (ended_ || !formWindow(form))
        return true;
    std::int16_t cancel = 0;
    ++closeQueries_;
    dispatch([&](FormEvents& e) { e.queryUnload(form, cancel, mode); });
    --closeQueries_;
    return ended_ || cancel == 0;
}

void Win32Runtime::unload(const std::string& form)
{
    if (ended_ || !formWindow(form))
        return;
    if (queryClose(form, UnloadMode::FormCode) && !ended_ && formWindow(form))
        destroyWindow(form);
}

void Win32Runtime::closeRequested(const std::string& form)
{
    // The close box is a control of the window: held like the others.
    if (!ended_ && !ThreadModality::holding() && queryClose(form, UnloadMode::FormControlMenu) && !ended_)
        destroyWindow(form);
}

void Win32Runtime::destroyWindow(const std::string& form)
{
    auto found = windows_.find(form);
    if (found == windows_.end())
        return;
    std::unique_ptr<Win32FormWindow> w = std::move(found->second);
    windows_.erase(found);
    loadOrder_.erase(std::remove(loadOrder_.begin(), loadOrder_.end(), form), loadOrder_.end());
    std::erase_if(pendingLeaves_, [&](const PendingLeave& leave) { return leave.form == form; });
    for (const Win32Control& c : w->formControls())
        controlWindows_.erase(c.hwnd);
    w->hide();
    // Later: this may run inside one of the window's own handlers.
    unloaded_.push_back(std::move(w));
}

void Win32Runtime::collectUnloaded()
{
    if (handlerDepth_ == 0)
        unloaded_.clear();
}

bool Win32Runtime::isLoaded(const std::string& form) const
{
    return formWindow(form) != nullptr;
}

void Win32Runtime::endProgram()
{
    if (ended_)
        return;
    ended_ = true;
    pendingLeaves_.clear();
    std::vector<std::string> forms = loadOrder_;
    for (const std::string& form : forms)
        destroyWindow(form);
    // Ends the message loop and every modal box still up inside a handler.
    PostQuitMessage(0);
}

void Win32Runtime::setFormCaption(const std::string& form, const std::string& caption)
{
    if (ended_)
        return;
    SetWindowTextW(loadedWindow(form).hwnd(), toUtf16(caption).c_str());
}

float Win32Runtime::formProperty(const std::string& form, const std::string& name) const
{
    if (ended_)
        return 0;
    return loadedWindow(form).formProperty(name);
}

void Win32Runtime::setFormProperty(const std::string& form, const std::string& name, float value)
{
    if (ended_)
        return;
    loadedWindow(form).setFormProperty(name, value);
}

std::vector<ControlId> Win32Runtime::controls(const std::string& form) const
{
    std::vector<ControlId> ids;
    if (ended_)
        return ids;
    const Win32FormWindow& w = loadedWindow(form);
    for (const Win32Control& c : w.formControls())
        ids.push_back(w.idOf(c));
    return ids;
}

ControlKind Win32Runtime::kind(const ControlId& control) const
{
    if (ended_)
        return ControlKind::Other;
    return kindOf(findControl(control).control->design.cls);
}

double Win32Runtime::property(const ControlId& control, const std::string& name) const
{
    if (ended_)
        return 0;
    const Found found = findControl(control);
    return found.window->property(*found.control, name);
}

void Win32Runtime::setProperty(const ControlId& control, const std::string& name, double value)
{
    if (ended_)
        return;
    const Found found = findControl(control);
    found.window->setProperty(*found.control, name, value);
}

std::string Win32Runtime::text(const ControlId& control) const
{
    if (ended_)
        return {};
    HWND hwnd = findControl(control).control->hwnd;
    if (!hwnd)
        return {};
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return toUtf8(text);
}

void Win32Runtime::setText(const ControlId& control, const std::string& text)
{
    if (ended_)
        return;
    const Found found = findControl(control);
    if (!found.control->isField()) {
        found.window->setCaption(*found.control, text);
        return;
    }
    // The same text again is no change.
    if (this->text(control) == text)
        return;
    // The field reports the change itself (EN_CHANGE), also for this.
    SetWindowTextW(found.control->hwnd, toUtf16(text).c_str());
}

void Win32Runtime::setCaption(const ControlId& control, const std::string& caption)
{
    setText(control, caption);
}

void Win32Runtime::setFocus(const ControlId& control)
{
    if (ended_)
        return;
    const Found found = findControl(control);
    HWND hwnd = found.control->hwnd;
    if (!hwnd || !found.control->focusable())
        return;
    if (GetActiveWindow() == found.window->hwnd())
        moveFocus(hwnd);
    else
        found.window->rememberFocus(hwnd); // taken when the window is active again
}

ScreenSize Win32Runtime::screen() const
{
    const SIZE pixels = primaryScreenPixels();
    const TwipsPerPixel twips = screenTwipsPerPixel();
    return {static_cast<float>(pixels.cx * twips.across), static_cast<float>(pixels.cy * twips.down)};
}

HWND Win32Runtime::activeFormWindow() const
{
    HWND active = GetActiveWindow();
    for (const auto& [name, w] : windows_)
        if (w->hwnd() == active)
            return active;
    return nullptr;
}

MsgAnswer Win32Runtime::msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton)
{
    if (ended_)
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    return showMessageBox(activeFormWindow(), text, buttons, icon, defaultButton);
}

std::string Win32Runtime::inputBox(const std::string& prompt, const std::string& title)
{
    if (ended_)
        return {};
    return showInputBox(activeFormWindow(), prompt, title);
}

std::string Win32Runtime::dateText() const
{
    return currentDateText();
}

std::string Win32Runtime::timeText() const
{
    return currentTimeText();
}

NumberFormat Win32Runtime::numberFormat() const
{
    return userNumberFormat();
}

std::string Win32Runtime::writeFile(const std::string& path, const std::string& bytes)
{
    if (ended_)
        return kProgramEnded;
    return files_.writeFile(path, bytes);
}

std::string Win32Runtime::firstMatch(const std::string& pattern) const
{
    if (ended_)
        return {};
    return files_.firstMatch(pattern);
}

bool Win32Runtime::launch(const std::string& program)
{
    return !ended_ && launcher_.launch(program);
}

std::unique_ptr<PrintJob> Win32Runtime::startJob(std::string& whyNot)
{
    if (ended_) {
        whyNot = kProgramEnded;
        return nullptr;
    }
    return startDefaultPrinterJob(whyNot, [this](HANDLE done, ServiceDeadline& deadline, DWORD askingThread) {
        return waitForService(done, deadline, askingThread);
    });
}

BOOL Win32Runtime::sessionMayEnd()
{
    // The system asks every window: the query already running answers for
    // the whole program, and so does an agreement until the end message,
    // which the system promises to every window that agreed. A refusal is
    // not kept: the window that refused is promised no end message, so the
    // next log-off asks afresh. A close question that is already open is
    // not asked a second time: the session is refused, and that question's
    // answer decides whether the program ends.
    if (ended_ || sessionQueryRunning_ || sessionAgreed_)
        return TRUE;
    if (closeQueries_ > 0)
        return FALSE;
    sessionQueryRunning_ = true;
    BOOL answer = TRUE;
    for (const std::string& form : loadedForms()) {
        if (!queryClose(form, UnloadMode::AppWindows)) {
            answer = FALSE;
            break;
        }
        if (ended_)
            break;
    }
    sessionQueryRunning_ = false;
    sessionAgreed_ = answer != FALSE;
    return answer;
}

void Win32Runtime::sessionEnded(bool ending)
{
    sessionAgreed_ = false;
    if (ending)
        endProgram();
}

ServiceWaitEnd Win32Runtime::waitForService(HANDLE done, ServiceDeadline& deadline, DWORD askingThread)
{
    // A call that answers within a moment is not shown as a wait: no window
    // is disabled for it. Meanwhile the system's own events are still read,
    // the keys and clicks staying queued, so that under Wine a window being
    // activated (as the input box of "&Salva" goes) takes the keyboard while
    // it is still enabled: once disabled, it would refuse it for good.
    // A question of the call's own ends that moment at once.
    const ServiceDeadline unseenUntil = std::min(deadline, std::chrono::steady_clock::now() + kUnseenWait);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(unseenUntil - std::chrono::steady_clock::now());
        if (left.count() <= 0 || (askingThread && questionOf(askingThread)))
            break;
        const DWORD slice = std::min<DWORD>(static_cast<DWORD>(left.count()), kQuestionPollMilliseconds);
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &done, slice, QS_ALLINPUT, 0);
        if (woken == WAIT_OBJECT_0)
            return ServiceWaitEnd::Done;
        if (woken != WAIT_OBJECT_0 + 1)
            break;
    }
    // The forms' class cursor is what the system shows over them.
    const HCURSOR waitCursor = LoadCursorW(nullptr, IDC_WAIT);
    std::vector<std::pair<HWND, LONG_PTR>> cursors;
    for (const std::string& form : loadOrder_) {
        const HWND hwnd = window(form);
        cursors.emplace_back(hwnd, SetClassLongPtrW(hwnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(waitCursor)));
    }
    SetCursor(waitCursor);
    // A box opened meanwhile (the session end's question) enables its owner
    // again when it goes: every round disables what is enabled again.
    std::vector<std::unique_ptr<ThreadModality>> held;
    held.push_back(std::make_unique<ThreadModality>(nullptr, true));
    ServiceWaitEnd end = ServiceWaitEnd::TimedOut;
    HWND question = nullptr;
    auto checked = std::chrono::steady_clock::now();
    while (!ended_) {
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
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        if (left.count() <= 0)
            break;
        const DWORD slice = askingThread ? std::min<DWORD>(static_cast<DWORD>(left.count()), kQuestionPollMilliseconds)
                                         : static_cast<DWORD>(left.count());
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &done, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) {
            end = ServiceWaitEnd::Done;
            break;
        }
        if (woken == WAIT_TIMEOUT)
            continue;
        if (woken != WAIT_OBJECT_0 + 1 || !pumpHeldInput())
            break;
        held.push_back(std::make_unique<ThreadModality>(nullptr, true));
    }
    if (ended_)
        return ServiceWaitEnd::ProgramEnded;
    // A call that came back while a box of the program's own was up past
    // the deadline (the log-off question) came back all the same.
    if (WaitForSingleObject(done, 0) == WAIT_OBJECT_0)
        end = ServiceWaitEnd::Done;
    while (!held.empty())
        held.pop_back();
    for (auto it = cursors.rbegin(); it != cursors.rend(); ++it)
        if (IsWindow(it->first))
            SetClassLongPtrW(it->first, GCLP_HCURSOR, it->second);
    POINT pointer{};
    GetCursorPos(&pointer);
    SetCursorPos(pointer.x, pointer.y); // the system asks the window under it for its cursor again
    return end;
}

bool Win32Runtime::pumpHeldInput()
{
    MSG message;
    while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
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
    return !ended_;
}

int Win32Runtime::runMessageLoop()
{
    MSG message;
    while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
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
    while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            break;
        if (!preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        collectUnloaded();
    }
    collectUnloaded();
    return !ended_;
}

} // namespace dravelo::platform::win32
