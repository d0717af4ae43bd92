#pragma once
// Twips (1/1440 inch) and the screen's logical pixels on Win32.

#include <windows.h>

namespace dravelo::platform::win32 {

inline constexpr double kTwipsPerInch = 1440;

// The screen's logical DPI across and down (LOGPIXELSX, LOGPIXELSY).
struct ScreenDpi {
    int across = 96;
    int down = 96;
};
ScreenDpi screenDpi();

// Twips per logical pixel of the screen, across and down.
struct TwipsPerPixel {
    double across = 15;
    double down = 15;
};
TwipsPerPixel screenTwipsPerPixel();

// Whole pixels, rounded only when a value is applied to a window.
int toPixels(double twips, double twipsPerPixel);

// The primary screen in logical pixels.
SIZE primaryScreenPixels();

// A font height in pixels for a size in points at the screen's DPI, negative
// as CreateFontW takes it for a character height.
int fontHeightForPoints(double points);

} // namespace dravelo::platform::win32
