// Does to a window of another program what the system or the user does to
// it from outside, for the end-to-end journeys on Windows:
//
//   window_command restore TITLE      ShowWindow(SW_RESTORE)
//   window_command sc-restore TITLE   the system menu's Restore (SC_RESTORE)
//   window_command maximize TITLE     ShowWindow(SW_MAXIMIZE)
//   window_command colour INDEX "R G B"  a change of the colour scheme
//                                      (SetSysColors), told to every window
//
// Exit status 0 when done, 1 when there is no such window, 2 on bad usage.

#include "platform/win32/Utf16.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kNoSuchWindow = 1;
constexpr int kBadUsage = 2;

HWND windowTitled(const char* title)
{
    return FindWindowW(nullptr, dravelo::platform::win32::toUtf16(title).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4)
        return kBadUsage;
    const std::string command = argv[1];
    if (command == "colour") {
        const int index = std::atoi(argv[2]);
        int red = 0, green = 0, blue = 0;
        if (argc != 4 || std::sscanf(argv[3], "%d %d %d", &red, &green, &blue) != 3)
            return kBadUsage;
        const COLORREF colour = RGB(red, green, blue);
        return SetSysColors(1, &index, &colour) ? 0 : kBadUsage;
    }
    if (argc != 3)
        return kBadUsage;
    HWND window = windowTitled(argv[2]);
    if (!window)
        return kNoSuchWindow;
    if (command == "restore")
        ShowWindow(window, SW_RESTORE);
    else if (command == "maximize")
        ShowWindow(window, SW_MAXIMIZE);
    else if (command == "sc-restore")
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    else
        return kBadUsage;
    return 0;
}
