// The floor for a Win32 program: one maximized window with a label, an edit
// field and a push button on the system's defaults, nothing else loaded.

#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"BareWindow";
constexpr int kMargin = 8;
constexpr int kRowHeight = 24;
constexpr int kFieldWidth = 200;
constexpr int kButtonWidth = 88;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void addControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int row, int width)
{
    CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, kMargin,
                    kMargin + row * (kRowHeight + kMargin), width, kRowHeight, parent, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    HWND window = CreateWindowExW(0, kClassName, L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    addControl(window, L"STATIC", L"Nome combustibile", 0, 0, kFieldWidth);
    addControl(window, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 1, kFieldWidth);
    addControl(window, L"BUTTON", L"&Calcola", WS_TABSTOP | BS_DEFPUSHBUTTON, 2, kButtonWidth);
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
