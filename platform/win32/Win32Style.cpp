#include "platform/win32/Win32Style.h"

#include "platform/win32/UnderWine.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Twips.h"

#include <cstdio>
#include <optional>

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

// Under Wine a program reads the colour scheme once, when it starts: a
// change another program makes (SetSysColors, a scheme saved by the Control
// Panel) reaches it only through the registry, where Wine keeps the
// session's colours before the saved ones. Windows hands every program the
// new colours itself.
bool schemeFromRegistry = false;
constexpr const wchar_t* kSessionColours = L"Software\\Wine\\Temporary System Parameters\\Control Panel\\Colors";
constexpr const wchar_t* kSavedColours = L"Control Panel\\Colors";
constexpr DWORD kColourTextChars = 32;

const wchar_t* registryName(SystemColor color)
{
    switch (color) {
    case SystemColor::ButtonFace:
        return L"ButtonFace";
    case SystemColor::ButtonText:
        return L"ButtonText";
    case SystemColor::Window:
        return L"Window";
    case SystemColor::WindowText:
        return L"WindowText";
    case SystemColor::HighlightText:
        return L"HilightText";
    case SystemColor::InactiveCaptionText:
        return L"InactiveTitleText";
    }
    return L"Window";
}

// A colour as the registry writes it, "red green blue".
std::optional<COLORREF> registryColour(const wchar_t* key, SystemColor color)
{
    wchar_t text[kColourTextChars] = L"";
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, key, registryName(color), RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    int red = 0, green = 0, blue = 0;
    if (std::swscanf(text, L"%d %d %d", &red, &green, &blue) != 3)
        return std::nullopt;
    return RGB(red, green, blue);
}

COLORREF systemColour(SystemColor color)
{
    if (schemeFromRegistry) {
        for (const wchar_t* key : {kSessionColours, kSavedColours})
            if (const std::optional<COLORREF> colour = registryColour(key, color))
                return *colour;
    }
    return GetSysColor(systemColourIndex(color));
}

} // namespace

COLORREF toColorRef(const Color& color)
{
    if (color.isSystem)
        return systemColour(color.systemColor);
    return RGB(color.red, color.green, color.blue);
}

void colourSchemeChanged()
{
    if (underWine())
        schemeFromRegistry = true;
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
