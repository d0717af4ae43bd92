// Started by the launcher tests: writes, to the file named by
// DRAVELO_LAUNCH_MARKER, its command line and how it was asked to show its
// window, then ends.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main()
{
    const char* marker = std::getenv("DRAVELO_LAUNCH_MARKER");
    if (!marker)
        return 2;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const bool showFlag = startup.dwFlags & STARTF_USESHOWWINDOW;
    std::FILE* out = std::fopen(marker, "wb");
    if (!out)
        return 3;
    std::fprintf(out, "show=%d\ncommand=%s\n", showFlag ? startup.wShowWindow : -1, GetCommandLineA());
    std::fclose(out);
    return 0;
}
