#include "platform/win32/Win32Twips.h"

#include <cmath>

namespace dravelo::platform::win32 {

namespace {
constexpr int kFallbackDpi = 96;
constexpr double kPointsPerInch = 72;
} // namespace

ScreenDpi screenDpi()
{
    ScreenDpi dpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi.across = GetDeviceCaps(screen, LOGPIXELSX);
        dpi.down = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    if (dpi.across <= 0)
        dpi.across = kFallbackDpi;
    if (dpi.down <= 0)
        dpi.down = kFallbackDpi;
    return dpi;
}

TwipsPerPixel screenTwipsPerPixel()
{
    const ScreenDpi dpi = screenDpi();
    return {kTwipsPerInch / dpi.across, kTwipsPerInch / dpi.down};
}

int toPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

SIZE primaryScreenPixels()
{
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int fontHeightForPoints(double points)
{
    return -static_cast<int>(std::lround(points * screenDpi().down / kPointsPerInch));
}

} // namespace dravelo::platform::win32
