// The runtime contract on the Win32 runtime: real windows under Wine on an
// X server and window manager, driven with the system's own input
// (SendInput), message boxes answered by pressing their buttons, the
// session end raised as the system raises it.

#include "platform/win32/Win32Runtime.h"
#include "tests/platform/contract/RuntimeContract.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace dravelo::testing::contract {

namespace {

constexpr DWORD kSettleMilliseconds = 50;
constexpr DWORD kActivationMilliseconds = 5000;
constexpr UINT kAnswerPollMilliseconds = 20;
constexpr const wchar_t* kDialogClass = L"#32770";
constexpr int kAbsoluteRange = 65535;

void sendKey(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void pressKey(WORD virtualKey)
{
    sendKey(virtualKey, false);
    sendKey(virtualKey, true);
}

void typeCharacter(wchar_t character)
{
    INPUT input[2]{};
    for (INPUT& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wScan = character;
        i.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof input[0]);
}

void clickAt(POINT point)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input[3]{};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(point.x, kAbsoluteRange, width - 1);
        i.mi.dy = MulDiv(point.y, kAbsoluteRange, height - 1);
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof input[0]);
}

// What to do with the message boxes still to come, given in turn to each
// box of this thread as it comes up: an answer, or an act run from inside
// the box, which leaves it open for the next.
struct BoxStep {
    std::optional<MsgAnswer> answer;
    std::function<void()> act;
};
std::deque<BoxStep> pendingSteps;
// Boxes an act is running in, still waiting for their answer: a box that
// comes up over them is answered first.
std::vector<HWND> boxesInStep;
// A box nobody said how to answer fails the test, and is closed so that
// the test goes on.
constexpr ULONGLONG kUnexpectedBoxMilliseconds = 2000;
ULONGLONG unexpectedBoxSince = 0;

BOOL CALLBACK findBox(HWND window, LPARAM found)
{
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (IsWindowVisible(window) && IsWindowEnabled(window) && std::wstring(cls) == kDialogClass) {
        *reinterpret_cast<HWND*>(found) = window;
        return std::find(boxesInStep.begin(), boxesInStep.end(), window) != boxesInStep.end();
    }
    return TRUE;
}

// The box of this thread that is up, the one on top of any an act runs in.
HWND openBox()
{
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

void press(HWND box, int id)
{
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

// Presses the box's button for the next answer (No is Cancel on a box
// without a No button: the input box), or runs the next act in it.
void CALLBACK answerBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = openBox();
    if (!box || std::find(boxesInStep.begin(), boxesInStep.end(), box) != boxesInStep.end()) {
        unexpectedBoxSince = 0;
        return;
    }
    if (pendingSteps.empty()) {
        if (!unexpectedBoxSince)
            unexpectedBoxSince = GetTickCount64();
        else if (GetTickCount64() - unexpectedBoxSince > kUnexpectedBoxMilliseconds) {
            ADD_FAILURE() << "a box came up that the test did not expect";
            unexpectedBoxSince = 0;
            press(box, GetDlgItem(box, IDCANCEL) ? IDCANCEL : IDOK);
        }
        return;
    }
    const BoxStep next = pendingSteps.front();
    pendingSteps.pop_front();
    if (next.act) {
        boxesInStep.push_back(box);
        next.act();
        std::erase(boxesInStep, box);
        return;
    }
    const MsgAnswer answer = *next.answer;
    int id = answer == MsgAnswer::Yes ? IDYES : answer == MsgAnswer::No ? IDNO : IDOK;
    if (!GetDlgItem(box, id))
        id = IDCANCEL;
    press(box, id);
}

// The act of a service wait, run once by a timer the wait's loop dispatches.
std::function<void()> waitStep;

void CALLBACK runWaitStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (const std::function<void()> step = std::exchange(waitStep, nullptr))
        step();
}

class Win32Driver {
public:
    explicit Win32Driver(std::vector<platform::FormDesign> designs)
        : designs_(designs), runtime_(std::move(designs)),
          answerTimer_(SetTimer(nullptr, 0, kAnswerPollMilliseconds, answerBox))
    {
        pendingSteps.clear();
        boxesInStep.clear();
        unexpectedBoxSince = 0;
    }
    ~Win32Driver() { KillTimer(nullptr, answerTimer_); }
    Win32Driver(const Win32Driver&) = delete;
    Win32Driver& operator=(const Win32Driver&) = delete;

    platform::FormsRuntime& runtime() { return runtime_; }
    void setEvents(platform::FormEvents* events) { runtime_.setEvents(events); }

    void open(const std::string& form)
    {
        runtime_.show(form);
        EXPECT_TRUE(waitForeground(runtime_.window(form))) << form;
    }
    void click(const ControlId& control)
    {
        RECT rect{};
        GetWindowRect(runtime_.control(control), &rect);
        clickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
        settle();
    }
    void accessKey(const std::string&, char letter)
    {
        sendKey(VK_MENU, false);
        pressKey(LOBYTE(VkKeyScanW(static_cast<wchar_t>(letter))));
        sendKey(VK_MENU, true);
        settle();
    }
    void tab(const std::string&)
    {
        pressKey(VK_TAB);
        settle();
    }
    void type(const ControlId&, const std::string& text)
    {
        for (const char c : text)
            typeCharacter(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        settle();
    }
    void enter(const ControlId&) { keyToFocus(VK_RETURN); }
    void escape(const ControlId&) { keyToFocus(VK_ESCAPE); }
    // BM_CLICK from another thread, as an assistive tool sends it from its
    // own process.
    void press(const ControlId& control)
    {
        HWND button = runtime_.control(control);
        fromAnotherThread([button] { SendMessageW(button, BM_CLICK, 0, 0); });
    }
    // What other programs send a control, as screen readers, UI Automation's
    // and MSAA's proxies (BM_CLICK, posted) and automation tools do: to a
    // button a click, its mouse messages and a click command to its window;
    // to a field a text, a replacement of its selection and a character.
    void actFromOutside(const ControlId& control)
    {
        HWND target = runtime_.control(control);
        wchar_t cls[16] = {};
        GetClassNameW(target, cls, 16);
        if (std::wstring(cls) == L"Button") {
            PostMessageW(target, BM_CLICK, 0, 0);
            PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            PostMessageW(target, WM_LBUTTONUP, 0, 0);
            fromAnotherThread([target] {
                SendMessageW(target, BM_CLICK, 0, 0);
                SendMessageW(GetParent(target), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), BN_CLICKED),
                             reinterpret_cast<LPARAM>(target));
            });
        } else {
            PostMessageW(target, WM_CHAR, L'z', 0);
            fromAnotherThread([target] {
                SendMessageW(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
                SendMessageW(target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"y"));
            });
        }
    }
    bool buttonHeld(const ControlId& control)
    {
        settle();
        HWND button = runtime_.control(control);
        return (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) || GetCapture();
    }
    void paste(const ControlId&, const std::string& text)
    {
        const std::wstring wide(text.begin(), text.end());
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(data), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(data);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
        sendKey(VK_CONTROL, false);
        pressKey('V');
        sendKey(VK_CONTROL, true);
        settle();
    }
    void keypadDecimal(const ControlId&, Modifier modifier)
    {
        const WORD held = modifier == Modifier::Ctrl ? VK_CONTROL : modifier == Modifier::Alt ? VK_MENU : VK_SHIFT;
        sendKey(held, false);
        pressKey(VK_DECIMAL);
        sendKey(held, true);
        settle();
    }
    void closeBox(const std::string& form)
    {
        PostMessageW(runtime_.window(form), WM_SYSCOMMAND, SC_CLOSE, 0);
        settle();
    }
    // As the system does: the query to each window until one refuses, then
    // the end, or its cancellation, to every window that agreed. The window
    // that refused is promised no end message.
    bool endSession()
    {
        std::vector<HWND> agreed;
        BOOL mayEnd = TRUE;
        for (const platform::FormDesign& design : designs_) {
            HWND w = runtime_.window(design.name);
            if (!w)
                continue;
            if (!SendMessageW(w, WM_QUERYENDSESSION, 0, 0)) {
                mayEnd = FALSE;
                break;
            }
            agreed.push_back(w);
        }
        for (HWND w : agreed)
            if (IsWindow(w))
                SendMessageW(w, WM_ENDSESSION, mayEnd, 0);
        settle();
        return mayEnd;
    }
    void inNextBox(std::function<void()> act) { pendingSteps.push_back({std::nullopt, std::move(act)}); }
    void duringServiceWait(std::function<void()> act)
    {
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        waitStep = [&act, done] {
            act();
            SetEvent(done);
        };
        SetTimer(nullptr, 0, kSettleMilliseconds, runWaitStep);
        inServiceWait_ = true;
        platform::win32::ServiceDeadline deadline = std::chrono::steady_clock::now() + kServiceWaitLimit;
        EXPECT_EQ(runtime_.waitForService(done, deadline, 0), platform::win32::ServiceWaitEnd::Done);
        inServiceWait_ = false;
        waitStep = nullptr;
        CloseHandle(done);
        settle();
    }
    // Asked again until it holds: the window manager may still hand the
    // input focus back to the window a closing box came from.
    void activate(const std::string& form)
    {
        HWND w = runtime_.window(form);
        const ULONGLONG until = GetTickCount64() + kActivationMilliseconds;
        do {
            SetForegroundWindow(w);
            settle();
        } while (GetForegroundWindow() != w && GetTickCount64() < until);
        EXPECT_TRUE(waitForeground(w)) << form;
    }
    void answerNextBox(MsgAnswer answer) { pendingSteps.push_back({answer, nullptr}); }
    std::optional<ControlId> focus()
    {
        settle();
        HWND focused = GetFocus();
        for (const platform::FormDesign& design : designs_)
            for (const platform::ControlDesign& c : design.controls) {
                const ControlId id{design.name, c.name, c.index};
                if (focused && runtime_.control(id) == focused)
                    return id;
            }
        return std::nullopt;
    }
    std::string frontWindow()
    {
        settle();
        HWND front = GetForegroundWindow();
        for (const platform::FormDesign& design : designs_)
            if (front && runtime_.window(design.name) == front)
                return design.name;
        return {};
    }
    void settle() { pumpFor(kSettleMilliseconds); }

private:
    static constexpr std::chrono::seconds kServiceWaitLimit{60};

    // Pumps as the loop running now would: a box's own loop while a box is
    // up, the wait's while a service wait lasts, else the program's.
    void pumpFor(DWORD milliseconds)
    {
        const ULONGLONG until = GetTickCount64() + milliseconds;
        while (GetTickCount64() < until) {
            if (HWND box = openBox())
                pumpBox(box);
            else if (inServiceWait_)
                runtime_.pumpHeldInput();
            else
                runtime_.pumpMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    static void pumpBox(HWND box)
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            if (!IsDialogMessageW(box, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
    // A call of another program, made from another thread while this one
    // pumps.
    void fromAnotherThread(const std::function<void()>& call)
    {
        std::atomic<bool> done = false;
        std::thread caller([&call, &done] {
            call();
            done = true;
        });
        while (!done)
            pumpFor(kSettleMilliseconds);
        caller.join();
        settle();
    }
    // A key as the system gives it: to the window with the focus, a box
    // once it has taken it.
    void keyToFocus(WORD virtualKey)
    {
        if (HWND box = openBox()) {
            const ULONGLONG until = GetTickCount64() + kActivationMilliseconds;
            while (GetForegroundWindow() != box && GetTickCount64() < until)
                pumpFor(kSettleMilliseconds);
        }
        pressKey(virtualKey);
        settle();
    }
    bool waitForeground(HWND window)
    {
        const ULONGLONG until = GetTickCount64() + kActivationMilliseconds;
        while (GetForegroundWindow() != window && GetTickCount64() < until)
            pumpFor(kSettleMilliseconds);
        settle();
        return window && GetForegroundWindow() == window;
    }

    std::vector<platform::FormDesign> designs_;
    platform::win32::Win32Runtime runtime_;
    UINT_PTR answerTimer_;
    bool inServiceWait_ = false;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(win32, RuntimeContract, Win32Driver);

} // namespace dravelo::testing::contract
