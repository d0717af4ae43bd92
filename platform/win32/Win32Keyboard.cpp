// Dialog-style keyboard navigation of the forms, in the message loop: Tab
// and Shift+Tab through the tab order, Alt with an access key, Enter on the
// focused button or the default button, Esc on the cancel button. Keys a
// field takes as characters reach its KeyPress first.

#include "platform/win32/Win32FormWindow.h"
#include "platform/win32/Win32Runtime.h"

namespace dravelo::platform::win32 {

namespace {

bool isDown(int virtualKey)
{
    return GetKeyState(virtualKey) < 0;
}

} // namespace

bool Win32Runtime::preTranslate(const MSG& message)
{
    // Only the keypad's decimal key, down with nothing that stops it typing,
    // makes the character that follows the regional separator; any other key
    // takes that back.
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
        keypadDecimal_ = message.message == WM_KEYDOWN && message.wParam == VK_DECIMAL && !isDown(VK_CONTROL) &&
                         !isDown(VK_MENU);
    if (ended_ || (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR))
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    Win32FormWindow* w = nullptr;
    for (const auto& [name, window] : windows_)
        if (window->hwnd() == root)
            w = window.get();
    if (!w)
        return false;
    HandlerScope scope(*this);
    const Found focused = controlOf(GetFocus());
    Win32Control* focus = focused.window == w ? focused.control : nullptr;

    if (message.message == WM_SYSCHAR) {
        Win32Control* button = w->buttonWithAccessKey(static_cast<wchar_t>(message.wParam));
        if (!button)
            return false;
        press(*w, *button);
        return true;
    }

    switch (message.wParam) {
    case VK_TAB: {
        if (isDown(VK_CONTROL) || isDown(VK_MENU))
            return false;
        HWND next = w->nextInTabOrder(focus ? focus->hwnd : nullptr, isDown(VK_SHIFT));
        const Found target = controlOf(next);
        // A field reached by Tab has its whole text selected.
        if (next && moveFocus(next) && target.control && target.control->isField())
            SendMessageW(next, EM_SETSEL, 0, -1);
        return true;
    }
    case VK_RETURN:
        if (focus && focus->isField())
            return false; // KeyPress first, then the default button
        if (focus && focus->isButton()) {
            press(*w, *focus);
            return true;
        }
        if (Win32Control* button = w->defaultButton()) {
            press(*w, *button);
            return true;
        }
        return false;
    case VK_ESCAPE:
        if (focus && focus->isField())
            return false; // KeyPress first, then the cancel button
        if (Win32Control* button = w->cancelButton()) {
            press(*w, *button);
            return true;
        }
        return false;
    case VK_DECIMAL:
        keypadDecimal_ = keypadDecimal_ && focus && focus->isField();
        return false;
    default:
        return false;
    }
}

} // namespace dravelo::platform::win32
