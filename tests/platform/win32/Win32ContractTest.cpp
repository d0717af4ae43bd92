// The runtime contract on the Win32 runtime: real windows under Wine on an
// X server and window manager, driven with the system's own input
// (SendInput), message boxes answered by pressing their buttons, the
// session end raised as the system raises it.

#include "platform/win32/Win32Runtime.h"
#include "tests/platform/contract/RuntimeContract.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <thread>
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
// box of this thread as it comes up: an answer, or (no answer) the session
// ending while the box stays open.
std::deque<std::optional<MsgAnswer>> pendingAnswers;
// Ends the session from inside a box.
std::function<void()> endSessionInBox;
// Boxes the session ended in, still waiting for their answer: a box that
// comes up over them is answered first.
std::vector<HWND> boxesUnderSessionEnd;
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
        return std::find(boxesUnderSessionEnd.begin(), boxesUnderSessionEnd.end(), window) !=
               boxesUnderSessionEnd.end();
    }
    return TRUE;
}

void press(HWND box, int id)
{
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

// Presses the box's button for the next answer; No is Cancel on a box
// without a No button (the input box).
void CALLBACK answerBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    if (!box) {
        unexpectedBoxSince = 0;
        return;
    }
    if (pendingAnswers.empty()) {
        if (!unexpectedBoxSince)
            unexpectedBoxSince = GetTickCount64();
        else if (GetTickCount64() - unexpectedBoxSince > kUnexpectedBoxMilliseconds) {
            ADD_FAILURE() << "a box came up that the test did not expect";
            unexpectedBoxSince = 0;
            press(box, GetDlgItem(box, IDCANCEL) ? IDCANCEL : IDOK);
        }
        return;
    }
    const std::optional<MsgAnswer> next = pendingAnswers.front();
    pendingAnswers.pop_front();
    if (!next) {
        boxesUnderSessionEnd.push_back(box);
        endSessionInBox();
        std::erase(boxesUnderSessionEnd, box);
        return;
    }
    const MsgAnswer answer = *next;
    int id = answer == MsgAnswer::Yes ? IDYES : answer == MsgAnswer::No ? IDNO : IDOK;
    if (!GetDlgItem(box, id))
        id = IDCANCEL;
    press(box, id);
}

class Win32Driver {
public:
    explicit Win32Driver(std::vector<platform::FormDesign> designs)
        : designs_(designs), runtime_(std::move(designs)),
          answerTimer_(SetTimer(nullptr, 0, kAnswerPollMilliseconds, answerBox))
    {
        pendingAnswers.clear();
        boxesUnderSessionEnd.clear();
        unexpectedBoxSince = 0;
        endSessionInBox = [this] { sessionEndedInBox_ = endSession(); };
    }
    ~Win32Driver()
    {
        KillTimer(nullptr, answerTimer_);
        endSessionInBox = nullptr;
    }
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
    void enter(const ControlId&)
    {
        pressKey(VK_RETURN);
        settle();
    }
    void escape(const ControlId&)
    {
        pressKey(VK_ESCAPE);
        settle();
    }
    // BM_CLICK from another thread, as an assistive tool sends it from its
    // own process.
    void press(const ControlId& control)
    {
        HWND button = runtime_.control(control);
        std::atomic<bool> done = false;
        std::thread presser([button, &done] {
            SendMessageW(button, BM_CLICK, 0, 0);
            done = true;
        });
        while (!done)
            pumpFor(kSettleMilliseconds);
        presser.join();
        settle();
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
    void endSessionInNextBox() { pendingAnswers.push_back(std::nullopt); }
    std::optional<bool> sessionEndedInBox() const { return sessionEndedInBox_; }
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
    void answerNextBox(MsgAnswer answer) { pendingAnswers.push_back(answer); }
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
    void pumpFor(DWORD milliseconds)
    {
        const ULONGLONG until = GetTickCount64() + milliseconds;
        while (GetTickCount64() < until) {
            runtime_.pumpMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
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
    std::optional<bool> sessionEndedInBox_;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(win32, RuntimeContract, Win32Driver);

} // namespace dravelo::testing::contract
