#include "platform/win32/Win32Style.h"

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Twips.h"

namespace dravelo::platform::win32 {

namespace {

int systemColourIndex(SystemColor color)
{
    switch (color) {
    case SystemColor::ButtonFace:
        return COLOR_BTNFACE;
    case SystemColor::ButtonText:
        return COLOR_BTNTEXT;
    case SystemColor::Window:
        return COLOR_WINDOW;
    case SystemColor::WindowText:
        return COLOR_WINDOWTEXT;
    case SystemColor::HighlightText:
        return COLOR_HIGHLIGHTTEXT;
    case SystemColor::InactiveCaptionText:
        return COLOR_INACTIVECAPTIONTEXT;
    }
    return COLOR_WINDOW;
}

} // namespace

COLORREF toColorRef(const Color& color)
{
    if (color.isSystem)
        return GetSysColor(systemColourIndex(color.systemColor));
    return RGB(color.red, color.green, color.blue);
}

HFONT createDesignFont(double pointSize, bool bold)
{
    const std::wstring face = toUtf16(kDesignFontFace);
    return CreateFontW(fontHeightForPoints(pointSize), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face.c_str());
}

int lineHeight(HDC dc, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    return metrics.tmAscent + metrics.tmDescent;
}

} // namespace dravelo::platform::win32
