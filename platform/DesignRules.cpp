#include "platform/DesignRules.h"

#include <algorithm>
#include <stdexcept>

namespace dravelo::platform {

TwipsRect designedOuterRect(const FormDesign& design)
{
    return {design.clientLeft - kFrameSideTwips, design.clientTop - kFrameTopTwips,
            design.clientWidth + 2 * kFrameSideTwips, design.clientHeight + kFrameTopTwips + kFrameSideTwips};
}

TwipsRect clientRectOf(const TwipsRect& outer)
{
    return {outer.left + kFrameSideTwips, outer.top + kFrameTopTwips, outer.width - 2 * kFrameSideTwips,
            outer.height - kFrameTopTwips - kFrameSideTwips};
}

ScaleUnits scaleUnitsOf(const FormDesign& design)
{
    ScaleUnits units;
    if (design.scaleWidth && *design.scaleWidth > 0)
        units.across = design.clientWidth / *design.scaleWidth;
    if (design.scaleHeight && *design.scaleHeight > 0)
        units.down = design.clientHeight / *design.scaleHeight;
    return units;
}

Color backgroundOf(const FormDesign& form)
{
    return form.background.value_or(Color::system(SystemColor::ButtonFace));
}

Color foregroundOf(const FormDesign& form)
{
    return form.foreground.value_or(Color::system(SystemColor::WindowText));
}

Color backgroundOf(const ControlDesign& control)
{
    const SystemColor fallback = control.cls == ControlClass::TextBox ? SystemColor::Window : SystemColor::ButtonFace;
    return control.background.value_or(Color::system(fallback));
}

Color foregroundOf(const ControlDesign& control)
{
    const bool onWindowColours = control.cls == ControlClass::TextBox || control.cls == ControlClass::Line;
    return control.foreground.value_or(
        Color::system(onWindowColours ? SystemColor::WindowText : SystemColor::ButtonText));
}

ControlKind kindOf(ControlClass cls)
{
    switch (cls) {
    case ControlClass::Line:
        return ControlKind::Line;
    case ControlClass::Image:
        return ControlKind::Image;
    default:
        return ControlKind::Other;
    }
}

bool carriesFont(ControlClass cls)
{
    return cls != ControlClass::Line && cls != ControlClass::Image;
}

bool takesFocus(ControlClass cls)
{
    return cls == ControlClass::TextBox || cls == ControlClass::CommandButton || cls == ControlClass::PictureBox;
}

std::vector<std::size_t> tabOrderOf(const FormDesign& form)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < form.controls.size(); ++i)
        if (takesFocus(form.controls[i].cls))
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&form](std::size_t a, std::size_t b) {
        return form.controls[a].tabIndex < form.controls[b].tabIndex;
    });
    return order;
}

namespace {

// One character of UTF-8 text from position at, which moves past it.
char32_t nextCharacter(const std::string& text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    const int following = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = following ? lead & (0x3F >> following) : lead;
    for (int i = 0; i < following && at < text.size(); ++i)
        code = (code << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    return code;
}

// Latin-1's accented capitals lie 0x20 below their small letters, as ASCII's do.
char32_t upperLatin(char32_t c)
{
    constexpr char32_t kLatin1Times = 0xF7;
    const bool ascii = c >= U'a' && c <= U'z';
    const bool latin1 = c >= 0xE0 && c <= 0xFE && c != kLatin1Times;
    return ascii || latin1 ? c - 0x20 : c;
}

} // namespace

char32_t accessKeyOf(const std::string& caption)
{
    std::size_t at = 0;
    while (at < caption.size()) {
        if (caption[at++] != '&' || at >= caption.size())
            continue;
        if (caption[at] == '&') {
            ++at;
            continue;
        }
        return nextCharacter(caption, at);
    }
    return 0;
}

bool sameAccessKey(char32_t a, char32_t b)
{
    return a != 0 && upperLatin(a) == upperLatin(b);
}

ControlValues designedValues(const FormDesign& form, const ControlDesign& control)
{
    const ScaleUnits units = scaleUnitsOf(form);
    ControlValues values;
    values.left = control.left / units.across;
    values.top = control.top / units.down;
    values.width = control.width / units.across;
    values.height = control.height / units.down;
    if (carriesFont(control.cls))
        values.fontSize = control.font.value_or(form.font).pointSize;
    return values;
}

std::optional<ControlProperty> controlPropertyNamed(ControlClass cls, const std::string& name)
{
    const bool line = cls == ControlClass::Line;
    if (name == (line ? "X1" : "Left"))
        return ControlProperty::Left;
    if (name == (line ? "Y1" : "Top"))
        return ControlProperty::Top;
    if (name == (line ? "X2" : "Width"))
        return ControlProperty::Width;
    if (name == (line ? "Y2" : "Height"))
        return ControlProperty::Height;
    if (name == "FontSize" && carriesFont(cls))
        return ControlProperty::FontSize;
    return std::nullopt;
}

double& valueOf(ControlValues& values, ControlProperty property)
{
    switch (property) {
    case ControlProperty::Left:
        return values.left;
    case ControlProperty::Top:
        return values.top;
    case ControlProperty::Width:
        return values.width;
    case ControlProperty::Height:
        return values.height;
    case ControlProperty::FontSize:
        break;
    }
    return values.fontSize;
}

double valueOf(const ControlValues& values, ControlProperty property)
{
    return valueOf(const_cast<ControlValues&>(values), property);
}

std::optional<WindowProperty> windowPropertyNamed(const std::string& name)
{
    if (name == "Left")
        return WindowProperty::Left;
    if (name == "Top")
        return WindowProperty::Top;
    if (name == "Width")
        return WindowProperty::Width;
    if (name == "Height")
        return WindowProperty::Height;
    return std::nullopt;
}

float& valueOf(TwipsRect& rect, WindowProperty property)
{
    switch (property) {
    case WindowProperty::Left:
        return rect.left;
    case WindowProperty::Top:
        return rect.top;
    case WindowProperty::Width:
        return rect.width;
    case WindowProperty::Height:
        break;
    }
    return rect.height;
}

float valueOf(const TwipsRect& rect, WindowProperty property)
{
    return valueOf(const_cast<TwipsRect&>(rect), property);
}

void noSuchProperty(const std::string& owner, const std::string& name)
{
    throw std::logic_error("no property " + name + " on " + owner);
}

} // namespace dravelo::platform
