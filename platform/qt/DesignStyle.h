#pragma once
// Colours and fonts of the designs as Qt sees them.

#include "platform/FormDesign.h"

#include <QColor>
#include <QFont>
#include <QPalette>

namespace dravelo::platform::qt {

// The free face drawn for the designs' "MS Sans Serif", with close metrics.
inline constexpr const char* kSubstituteFontFace = "Liberation Sans";

// Makes kDesignFontFace resolve to kSubstituteFontFace.
void registerFontSubstitution();

// An RGB colour as is, a system colour from the desktop's palette.
QColor toQColor(const Color& color, const QPalette& desktop);

// The design face at the exact (possibly fractional) point size; bold is 700.
QFont designFont(double pointSize, bool bold);

} // namespace dravelo::platform::qt
