#include "forms/Scaling.h"

#include "forms/ControlNames.h"
#include "forms/ScaleArithmetic.h"

#include <span>

namespace dravelo::forms {

using platform::ControlId;
using platform::ControlKind;
using platform::WindowSystem;

namespace {

struct AxisProperty {
    const char* name;
    bool across; // scaled by FattoreX, else by FattoreY
};

// The order of the assignments is part of the behaviour: each value is read
// just before it is written.
constexpr AxisProperty kBoxOrder[] = {
    {"Height", false}, {"Width", true}, {"Top", false}, {"Left", true}};
constexpr AxisProperty kLineOrder[] = {{"X1", true}, {"X2", true}, {"Y1", false}, {"Y2", false}};

constexpr const char* kFontSize = "FontSize";
constexpr const char* kWidth = "Width";
constexpr const char* kLeft = "Left";

float factorFor(const AxisProperty& property, const ScreenFactors& factors)
{
    return property.across ? factors.FattoreX : factors.FattoreY;
}

void scaleWindow(WindowSystem& windows, const std::string& form, const ScreenFactors& factors)
{
    for (const AxisProperty& property : kBoxOrder) {
        const float value = windows.formProperty(form, property.name);
        windows.setFormProperty(form, property.name, scaledValue(value, factorFor(property, factors)));
    }
}

void scaleProperties(WindowSystem& windows, const ControlId& control, std::span<const AxisProperty> order,
                     const ScreenFactors& factors)
{
    for (const AxisProperty& property : order) {
        const auto value = static_cast<float>(windows.property(control, property.name));
        windows.setProperty(control, property.name, scaledValue(value, factorFor(property, factors)));
    }
}

void scaleControl(WindowSystem& windows, const ControlId& control, const ScreenFactors& factors)
{
    switch (windows.kind(control)) {
    case ControlKind::Line:
        scaleProperties(windows, control, kLineOrder, factors);
        break;
    case ControlKind::Image:
        scaleProperties(windows, control, kBoxOrder, factors);
        break;
    case ControlKind::Other:
        scaleProperties(windows, control, kBoxOrder, factors);
        windows.setProperty(control, kFontSize, scaledFontSize(windows.property(control, kFontSize), factors));
        break;
    }
}

void centreLabel(WindowSystem& windows, const std::string& form, const char* label)
{
    const ControlId id{form, label, -1};
    const float formWidth = windows.formProperty(form, kWidth);
    const auto labelWidth = static_cast<float>(windows.property(id, kWidth));
    windows.setProperty(id, kLeft, centredLeft(formWidth, labelWidth));
}

} // namespace

bool scaleForm(WindowSystem& windows, const std::string& form, ScalingValues& values)
{
    values.LarghezzaBase = kLarghezzaBase;
    values.AltezzaBase = kAltezzaBase;
    const std::optional<ScreenFactors> factors = screenFactors(windows.screen());
    if (!factors)
        return false;
    values.FattoreX = factors->FattoreX;
    values.FattoreY = factors->FattoreY;
    scaleWindow(windows, form, *factors);
    for (const ControlId& control : windows.controls(form))
        scaleControl(windows, control, *factors);
    return true;
}

void centreTitles(WindowSystem& windows, const std::string& form)
{
    centreLabel(windows, form, form1::kLabel3);
    centreLabel(windows, form, form1::kLabel4);
}

} // namespace dravelo::forms
