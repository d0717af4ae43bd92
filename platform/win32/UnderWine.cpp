#include "platform/win32/UnderWine.h"

#include <windows.h>

namespace dravelo::platform::win32 {

bool underWine()
{
    // Wine's own export of its system library; Windows has no such name.
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

} // namespace dravelo::platform::win32
