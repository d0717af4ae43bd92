#include "platform/qt/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace dravelo::platform::qt {

namespace {
// Used when there is no screen at all (never on a real display).
constexpr double kFallbackDpi = 96;
} // namespace

double screenTwipsPerPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : kFallbackDpi;
    return kTwipsPerInch / (dpi > 0 ? dpi : kFallbackDpi);
}

int toPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

QRect primaryScreenGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

} // namespace dravelo::platform::qt
