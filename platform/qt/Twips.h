#pragma once
// Twips (1/1440 inch) and the screen's logical pixels.

#include <QRect>

namespace dravelo::platform::qt {

inline constexpr double kTwipsPerInch = 1440;

// Twips per logical pixel of the primary screen: 1440 / its logical DPI.
// Qt's logical pixels already include any device pixel ratio it applies,
// so this stays right on scaled screens too.
double screenTwipsPerPixel();

// Whole pixels, rounded only when a value is applied to a widget.
int toPixels(double twips, double twipsPerPixel);

// The primary screen's logical geometry.
QRect primaryScreenGeometry();

} // namespace dravelo::platform::qt
