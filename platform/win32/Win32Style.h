#pragma once
// Colours and fonts of the designs on Win32: system colours from the
// desktop's scheme, "MS Sans Serif" at the design sizes.

#include "platform/FormDesign.h"

#include <windows.h>

namespace dravelo::platform::win32 {

COLORREF toColorRef(const Color& color);

// The desktop's colour scheme changed while the program runs: the system
// colours are taken afresh from then on.
void colourSchemeChanged();

// The design face at this size in points for the screen's logical DPI; the
// caller owns the font.
HFONT createDesignFont(double pointSize, bool bold);

// Height of one line of text in the font, as the desktop the designs come
// from measures it: ascent plus descent.
int lineHeight(HDC dc, HFONT font);

} // namespace dravelo::platform::win32
