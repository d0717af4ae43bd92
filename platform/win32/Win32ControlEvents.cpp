// The control events as the system gives them, handed to the runtime core:
// focus moves, mouse presses and BM_CLICK, the characters typed into a
// field (with the keypad's decimal key and surrogate pairs), its pastes;
// while the windows are held, what the system still lets through is refused.

#include "platform/win32/Win32FormWindow.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Runtime.h"

namespace dravelo::platform::win32 {

namespace {

constexpr wchar_t kTab = L'\t';
constexpr wchar_t kDelete = 0x7F;
// KeyAscii is a 16-bit signed code: characters beyond it show as '?'.
constexpr wchar_t kLargestKeyAscii = 0x7FFF;
constexpr std::int16_t kUnrepresentable = u'?';

constexpr const wchar_t* kRuntimeProperty = L"Dravelo.Runtime";
constexpr const wchar_t* kOriginalProcProperty = L"Dravelo.WindowProc";

// What presses a control or changes a field: refused while the windows are
// held. The system gives a disabled window no mouse or keys of its own;
// these come from other programs (assistive technology, scripts) and from
// BM_CLICK, which presses a button that has the focus. A text set from
// another thread is one of theirs; the program's own goes through.
bool pressOrChange(UINT message)
{
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || (message >= WM_KEYFIRST && message <= WM_KEYLAST))
        return true;
    switch (message) {
    case BM_CLICK:
    case BM_SETSTATE:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        return true;
    case WM_SETTEXT:
    case EM_REPLACESEL:
        return InSendMessage();
    default:
        return false;
    }
}

} // namespace

void Win32Runtime::registerControl(HWND hwnd, Win32FormWindow& window)
{
    controlWindows_[hwnd] = &window;
    Win32Control* c = window.controlOf(hwnd);
    c->originalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Runtime::controlProc)));
    // Kept on the window itself: an unloaded window's controls still get
    // messages until they are destroyed.
    SetPropW(hwnd, kRuntimeProperty, reinterpret_cast<HANDLE>(this));
    SetPropW(hwnd, kOriginalProcProperty, reinterpret_cast<HANDLE>(c->originalProc));
}

LRESULT CALLBACK Win32Runtime::controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* runtime = static_cast<Win32Runtime*>(GetPropW(hwnd, kRuntimeProperty));
    auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOriginalProcProperty));
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kRuntimeProperty);
        RemovePropW(hwnd, kOriginalProcProperty);
        if (original)
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    if (!original)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const Found found = runtime ? runtime->controlOf(hwnd) : Found{nullptr, nullptr};
    if (!found.control || message == WM_NCDESTROY)
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    HandlerScope scope(*runtime);
    return runtime->controlMessage(*found.window, *found.control, message, wParam, lParam);
}

LRESULT Win32Runtime::controlMessage(Win32FormWindow& window, Win32Control& control, UINT message, WPARAM wParam,
                                     LPARAM lParam)
{
    HWND hwnd = control.hwnd;
    if (holdingInput() && pressOrChange(message))
        return 0;
    switch (message) {
    case WM_SETFOCUS: {
        window.rememberFocus(hwnd);
        window.refreshDefaultButton();
        // The leave is run by whoever moved the focus; the message is for
        // moves no input path runs.
        const Found from = controlOf(reinterpret_cast<HWND>(wParam));
        if (from.control && focusMoved(from.window->idOf(*from.control), window.idOf(control)))
            PostMessageW(window.hwnd(), kRunPendingLeave, 0, 0);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The focus moves first, so the field being left runs its leave; if
        // that keeps the focus, the press is void. So is a press whose
        // release a box shown by the leave has taken: the control would
        // wait for it with the mouse captured.
        if (GetFocus() != hwnd && (!focusForPress(window.idOf(control)) || GetKeyState(VK_LBUTTON) >= 0))
            return 0;
        break;
    case BM_CLICK:
        // An assistive tool's press, or a program's: no physical button is
        // down, so the focus moves here before the button's own mouse
        // handling, which then finds it in place.
        if (GetFocus() != hwnd && !focusForPress(window.idOf(control)))
            return 0;
        break;
    case WM_PASTE:
        if (control.isField() && pasteFirstLine(hwnd))
            return 0;
        break;
    case WM_CHAR:
        if (control.isField())
            return fieldCharacter(window, control, wParam, lParam);
        break;
    default:
        break;
    }
    return CallWindowProcW(control.originalProc, hwnd, message, wParam, lParam);
}

LRESULT Win32Runtime::fieldCharacter(Win32FormWindow& window, Win32Control& field, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = field.hwnd;
    auto deliver = [&](wchar_t unit) { CallWindowProcW(field.originalProc, hwnd, WM_CHAR, unit, lParam); };
    wchar_t unit = static_cast<wchar_t>(wParam);
    if (unit == kTab || unit == kDelete) {
        deliver(unit); // not a character key
        return 0;
    }
    if (keypadDecimal_) {
        // The keypad's decimal key types the regional separator.
        keypadDecimal_ = false;
        const std::wstring separator = toUtf16(numberFormat().decimalSeparator);
        if (separator.size() == 1)
            unit = separator.front();
    }
    if (IS_HIGH_SURROGATE(unit)) {
        pendingHighSurrogate_ = unit;
        return 0;
    }
    std::wstring typedText(1, unit);
    std::int16_t typed = unit > kLargestKeyAscii ? kUnrepresentable : static_cast<std::int16_t>(unit);
    if (IS_LOW_SURROGATE(unit)) {
        typedText.insert(typedText.begin(), pendingHighSurrogate_);
        typed = kUnrepresentable;
    }
    pendingHighSurrogate_ = 0;

    std::int16_t keyAscii = typed;
    const ControlId id = window.idOf(field);
    const KeyOutcome outcome = keyTyped(id, keyAscii);
    if (outcome == KeyOutcome::ToWindow)
        windowKey(id.form, windowKeyOf(keyAscii));
    if (outcome != KeyOutcome::Deliver || !controlOf(hwnd).control)
        return 0;
    if (keyAscii == typed) {
        for (wchar_t u : typedText)
            deliver(u);
    } else {
        deliver(static_cast<wchar_t>(static_cast<std::uint16_t>(keyAscii)));
    }
    return 0;
}

void Win32Runtime::commandFrom(Win32FormWindow& window, Win32Control& control, WORD notification)
{
    // A button's press from any source ends here; the core moves the focus
    // first where it is not there yet. Held as well: a command sent to the
    // window from outside passes by the button.
    if (control.isButton() && notification == BN_CLICKED && !holdingInput())
        press(window.idOf(control));
    else if (control.isField() && notification == EN_CHANGE)
        textChanged(window.idOf(control));
}

bool Win32Runtime::pasteFirstLine(HWND field)
{
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(field))
        return false;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    // The field's own paste keeps the text before a line feed; a carriage
    // return alone ends the line here as well, as on the other runtimes.
    const std::size_t lineBreak = text.find_first_of(L"\r\n");
    if (lineBreak == std::wstring::npos)
        return false;
    text.resize(lineBreak);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (!text.empty() || start != end) // else nothing changes
        SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

} // namespace dravelo::platform::win32
