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
    if (ended() || (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR))
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    Win32FormWindow* w = nullptr;
    for (const auto& window : windows_)
        if (window->hwnd() == root)
            w = window.get();
    if (!w)
        return false;
    HandlerScope scope(*this);
    const std::string form = w->formName();
    const Found focused = controlOf(GetFocus());
    const Win32Control* focus = focused.window == w ? focused.control : nullptr;

    if (message.message == WM_SYSCHAR)
        return accessKey(form, static_cast<wchar_t>(message.wParam));

    switch (message.wParam) {
    case VK_TAB: {
        if (isDown(VK_CONTROL) || isDown(VK_MENU))
            return false;
        const std::optional<ControlId> next = nextInTabOrder(form, isDown(VK_SHIFT));
        if (!next || !focusForPress(*next))
            return true;
        // A field reached by Tab has its whole text selected.
        const Found target = controlOf(control(*next));
        if (target.control && target.control->isField())
            SendMessageW(target.control->hwnd, EM_SETSEL, 0, -1);
        return true;
    }
    case VK_RETURN:
        if (focus && focus->isField())
            return false; // KeyPress first, then the default button
        return windowKey(form, WindowKey::Enter);
    case VK_ESCAPE:
        if (focus && focus->isField())
            return false; // KeyPress first, then the cancel button
        return windowKey(form, WindowKey::Escape);
    case VK_DECIMAL:
        keypadDecimal_ = keypadDecimal_ && focus && focus->isField();
        return false;
    default:
        return false;
    }
}

} // namespace dravelo::platform::win32
