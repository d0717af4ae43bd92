#include "platform/win32/Win32Printer.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace dravelo::platform::win32 {
namespace {

TEST(Win32Printer, WithoutADefaultPrinterTheJobIsRefusedWithTheReason)
{
    DWORD size = 0;
    if (GetDefaultPrinterW(nullptr, &size) || GetLastError() != ERROR_FILE_NOT_FOUND)
        GTEST_SKIP() << "this prefix has a default printer";
    std::string whyNot;
    EXPECT_EQ(startDefaultPrinterJob(whyNot, waitWithoutWindows), nullptr);
    EXPECT_EQ(whyNot, "Non è installata nessuna stampante predefinita.");
}

} // namespace
} // namespace dravelo::platform::win32
