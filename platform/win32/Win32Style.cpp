#include "platform/win32/Win32Style.h"

#include "platform/win32/UnderWine.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Twips.h"

#include <cstdio>
#include <optional>

namespace dravelo::platform::win32 {

namespace {

// A system colour's index for GetSysColor, and its name in the registry's
// colour scheme.
struct SystemColourNames {
    int index;
    const wchar_t* registryName;
};

SystemColourNames namesOf(SystemColor color)
{
    switch (color) {
    case SystemColor::ButtonFace:
        return {COLOR_BTNFACE, L"ButtonFace"};
    case SystemColor::ButtonText:
        return {COLOR_BTNTEXT, L"ButtonText"};
    case SystemColor::Window:
        return {COLOR_WINDOW, L"Window"};
    case SystemColor::WindowText:
        return {COLOR_WINDOWTEXT, L"WindowText"};
    case SystemColor::HighlightText:
        return {COLOR_HIGHLIGHTTEXT, L"HilightText"};
    case SystemColor::InactiveCaptionText:
        return {COLOR_INACTIVECAPTIONTEXT, L"InactiveTitleText"};
    }
    return {COLOR_WINDOW, L"Window"};
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

// A colour as the registry writes it, "red green blue".
std::optional<COLORREF> registryColour(const wchar_t* key, SystemColor color)
{
    wchar_t text[kColourTextChars] = L"";
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, key, namesOf(color).registryName, RRF_RT_REG_SZ, nullptr, text, &size) !=
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
    return GetSysColor(namesOf(color).index);
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
