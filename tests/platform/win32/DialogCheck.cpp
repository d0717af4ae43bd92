// Shows the dialogs as the program does, for dialogs-window.sh, which reads
// them with the screen reader and answers them with real keys. Two windows
// stand for the program's forms; the first has an edit field with the focus.
// Writes one line per dialog: its answer, and whether the focus came back.
//
// Usage: win32_dialog_check QUESTION PROMPT TITLE
//   1. QUESTION as a Yes/No box, No the default, owned by the first window;
//   2. the input box with PROMPT and TITLE, twice, owned by the first window;
//   3. QUESTION again, without an owner.

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Dialogs.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

namespace win32 = dravelo::platform::win32;
using dravelo::platform::MsgAnswer;

constexpr wchar_t kFormClass[] = L"DraveloDialogCheck";
constexpr int kFieldId = 1;

HWND makeForm(const wchar_t* title, int left)
{
    HWND form = CreateWindowExW(0, kFormClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, 40, 280, 160, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 200, 24, form,
                    reinterpret_cast<HMENU>(kFieldId), GetModuleHandleW(nullptr), nullptr);
    return form;
}

const char* answerName(MsgAnswer answer)
{
    return answer == MsgAnswer::Yes ? "Yes" : answer == MsgAnswer::No ? "No" : "Ok";
}

void report(const std::string& what, HWND field)
{
    std::printf("%s focus=%s\n", what.c_str(), GetFocus() == field ? "field" : "elsewhere");
    std::fflush(stdout);
}

// Lets the windows come up, and the first one be activated by the window
// manager, before a dialog is shown.
void settle(HWND active)
{
    constexpr DWORD kPatienceMs = 5000;
    MSG message;
    const DWORD until = GetTickCount() + kPatienceMs;
    while (GetTickCount() < until && GetForegroundWindow() != active) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::string question = argv[1], prompt = argv[2], title = argv[3];

    WNDCLASSW formClass{};
    formClass.lpfnWndProc = DefWindowProcW;
    formClass.hInstance = GetModuleHandleW(nullptr);
    formClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = kFormClass;
    RegisterClassW(&formClass);
    makeForm(L"Form B", 320);
    HWND first = makeForm(L"Form A", 20);
    SetForegroundWindow(first);
    settle(first);
    HWND field = GetDlgItem(first, kFieldId);
    SetFocus(field);
    report("start", field);

    using dravelo::platform::MsgButtons;
    using dravelo::platform::MsgDefault;
    using dravelo::platform::MsgIcon;
    report(std::string("owned ") +
               answerName(win32::showMessageBox(first, question, MsgButtons::YesNo, MsgIcon::Question,
                                                MsgDefault::Second)),
           field);
    report("input [" + win32::showInputBox(first, prompt, title) + "]", field);
    report("input [" + win32::showInputBox(first, prompt, title) + "]", field);
    report(std::string("unowned ") +
               answerName(win32::showMessageBox(nullptr, question, MsgButtons::YesNo, MsgIcon::Question,
                                                MsgDefault::Second)),
           field);
    return 0;
}
