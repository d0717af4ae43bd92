// A change of the desktop's colour scheme while the windows are up (a
// high-contrast switch, another theme): the grounds drawn in the scheme's
// colours are drawn again in the new ones. The test changes the scheme as
// the system does, with SetSysColors, which tells every window; the
// worked-example journey changes it from another program.

#include "platform/win32/Win32Runtime.h"
#include "tests/platform/contract/ContractDesigns.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace dravelo::testing::contract {
namespace {

constexpr DWORD kSettleMilliseconds = 300;
// A point of the window's ground, clear of its one button.
constexpr POINT kGround{190, 90};

void settle(platform::win32::Win32Runtime& runtime)
{
    const ULONGLONG until = GetTickCount64() + kSettleMilliseconds;
    while (GetTickCount64() < until) {
        runtime.pumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

COLORREF groundOf(HWND window)
{
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, kGround.x, kGround.y);
    ReleaseDC(window, dc);
    return colour;
}

class ColourScheme : public ::testing::Test {
protected:
    void TearDown() override
    {
        const int face = COLOR_BTNFACE;
        SetSysColors(1, &face, &original_);
    }
    COLORREF original_ = GetSysColor(COLOR_BTNFACE);
};

TEST_F(ColourScheme, WindowsAreDrawnAgainInTheNewColours)
{
    platform::win32::Win32Runtime runtime(contractDesigns());
    runtime.show(kOther); // its ground is the button face of the scheme
    settle(runtime);
    HWND window = runtime.window(kOther);
    ASSERT_EQ(groundOf(window), GetSysColor(COLOR_BTNFACE));

    const int face = COLOR_BTNFACE;
    const COLORREF changed = original_ == RGB(0, 128, 0) ? RGB(128, 0, 0) : RGB(0, 128, 0);
    ASSERT_TRUE(SetSysColors(1, &face, &changed));
    settle(runtime);
    EXPECT_EQ(groundOf(window), changed);
}

} // namespace
} // namespace dravelo::testing::contract
