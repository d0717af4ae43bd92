// The floor for a Win32 program: one maximized window with a label, an edit
// field and a push button on the system's defaults, nothing else loaded.
// Started with the argument "cover" it holds instead the controls of
// Morlane's cover window, four labels and three push buttons, in the cover's
// fonts: the floor for a window of that many native controls.

#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t kClassName[] = L"BareWindow";
constexpr wchar_t kCoverArgument[] = L"cover";
constexpr int kMargin = 8;
constexpr int kRowHeight = 24;
constexpr int kFieldWidth = 200;
constexpr int kButtonWidth = 88;

struct Control {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int width;
    double points; // 0: the system's font
    bool bold;
};

constexpr Control kBare[] = {
    {L"STATIC", L"Nome combustibile", 0, kFieldWidth, 0, false},
    {L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kFieldWidth, 0, false},
    {L"BUTTON", L"&Calcola", WS_TABSTOP | BS_DEFPUSHBUTTON, kButtonWidth, 0, false},
};

constexpr Control kCover[] = {
    {L"STATIC", L"CALCOLO DEL POTERE CALORIFICO", 0, kFieldWidth, 13.5, true},
    {L"STATIC", L"di Progetto Dravelo", 0, kFieldWidth, 12, true},
    {L"STATIC", L"Tutti i diritti riservati", 0, kFieldWidth, 8.25, true},
    {L"STATIC", L"Label5", 0, kFieldWidth, 8.25, false},
    {L"BUTTON", L"&Info", WS_TABSTOP, kButtonWidth, 9.75, true},
    {L"BUTTON", L"&Continua", WS_TABSTOP | BS_DEFPUSHBUTTON, kButtonWidth, 9.75, true},
    {L"BUTTON", L"&ESCI", WS_TABSTOP, kButtonWidth, 8.25, true},
};

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void addControl(HWND parent, const Control& control, int row)
{
    HWND child = CreateWindowExW(0, control.className, control.text, WS_CHILD | WS_VISIBLE | control.style, kMargin,
                                 kMargin + row * (kRowHeight + kMargin), control.width, kRowHeight, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (control.points > 0) {
        // The cover's face, at the screen's 96 pixels an inch.
        const int height = -static_cast<int>(control.points * 96 / 72 + 0.5);
        HFONT font = CreateFontW(height, 0, 0, 0, control.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int)
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
    int row = 0;
    if (std::wcscmp(arguments, kCoverArgument) == 0) {
        for (const Control& control : kCover)
            addControl(window, control, row++);
    } else {
        for (const Control& control : kBare)
            addControl(window, control, row++);
    }
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
