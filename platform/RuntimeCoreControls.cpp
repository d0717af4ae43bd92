// A loaded window's controls: their lookup, their numeric properties by
// name (kept unrounded in the window's units, placed through the toolkit),
// their texts and the window's own geometry.

#include "platform/RuntimeCore.h"

#include <stdexcept>

namespace dravelo::platform {

RuntimeCore::Found RuntimeCore::find(const ControlId& id) const
{
    if (std::optional<Found> found = lookUp(id))
        return *found;
    loadedWindow(id.form);
    throw std::logic_error("no control " + id.form + "." + id.name);
}

std::optional<RuntimeCore::Found> RuntimeCore::lookUp(const ControlId& id) const
{
    LoadedWindow* w = window(id.form);
    if (!w)
        return std::nullopt;
    for (ControlIndex i = 0; i < w->controls.size(); ++i) {
        LoadedControl& c = w->controls[i];
        if (c.design.name == id.name && c.design.index == id.index)
            return Found{w, &c, i};
    }
    return std::nullopt;
}

ControlBox RuntimeCore::boxOf(const LoadedWindow& w, const LoadedControl& c) const
{
    const ControlValues& v = c.values;
    return {v.left * w.units.across, v.top * w.units.down, v.width * w.units.across, v.height * w.units.down};
}

void RuntimeCore::applyFit(LoadedWindow& w, LoadedControl& c, const ControlBox& box,
                           const std::optional<TwipsSize>& fitted)
{
    if (!fitted)
        return;
    if (fitted->width != box.width)
        c.values.width = fitted->width / w.units.across;
    if (fitted->height != box.height)
        c.values.height = fitted->height / w.units.down;
}

void RuntimeCore::place(LoadedWindow& w, ControlIndex index)
{
    LoadedControl& c = w.controls[index];
    const ControlBox box = boxOf(w, c);
    applyFit(w, c, box, w.toolkit->placeControl(index, box));
}

std::vector<ControlId> RuntimeCore::controls(const std::string& form) const
{
    std::vector<ControlId> ids;
    if (ended_)
        return ids;
    for (const LoadedControl& c : loadedWindow(form).controls)
        ids.push_back({form, c.design.name, c.design.index});
    return ids;
}

ControlKind RuntimeCore::kind(const ControlId& control) const
{
    if (ended_)
        return ControlKind::Other;
    return kindOf(find(control).control->design.cls);
}

double RuntimeCore::property(const ControlId& control, const std::string& name) const
{
    if (ended_)
        return 0;
    const LoadedControl& c = *find(control).control;
    const std::optional<ControlProperty> property = controlPropertyNamed(c.design.cls, name);
    if (!property)
        noSuchProperty(c.design.name, name);
    return valueOf(c.values, *property);
}

void RuntimeCore::setProperty(const ControlId& control, const std::string& name, double value)
{
    if (ended_)
        return;
    const Found found = find(control);
    LoadedControl& c = *found.control;
    const std::optional<ControlProperty> property = controlPropertyNamed(c.design.cls, name);
    if (!property)
        noSuchProperty(c.design.name, name);
    valueOf(c.values, *property) = value;
    if (*property == ControlProperty::FontSize) {
        const bool bold = c.design.font.value_or(found.window->design->font).bold;
        found.window->toolkit->setControlFont(found.index, {value, bold});
    }
    place(*found.window, found.index);
}

float RuntimeCore::formProperty(const std::string& form, const std::string& name) const
{
    if (ended_)
        return 0;
    const std::optional<WindowProperty> property = windowPropertyNamed(name);
    if (!property)
        noSuchProperty(form, name);
    return valueOf(loadedWindow(form).place.outer, *property);
}

void RuntimeCore::setFormProperty(const std::string& form, const std::string& name, float value)
{
    if (ended_)
        return;
    const std::optional<WindowProperty> property = windowPropertyNamed(name);
    if (!property)
        noSuchProperty(form, name);
    LoadedWindow& w = loadedWindow(form);
    valueOf(w.place.outer, *property) = value;
    if (*property == WindowProperty::Left || *property == WindowProperty::Top)
        w.place.positioned = true;
    w.toolkit->place(w.place);
}

void RuntimeCore::setFormCaption(const std::string& form, const std::string& caption)
{
    if (ended_)
        return;
    loadedWindow(form).toolkit->setCaption(caption);
}

std::string RuntimeCore::text(const ControlId& control) const
{
    if (ended_)
        return {};
    const Found found = find(control);
    switch (found.control->design.cls) {
    case ControlClass::TextBox:
        return found.window->toolkit->controlText(found.index);
    case ControlClass::Label:
    case ControlClass::CommandButton:
        return found.control->design.caption;
    default:
        return {};
    }
}

void RuntimeCore::setText(const ControlId& control, const std::string& text)
{
    if (ended_)
        return;
    const Found found = find(control);
    const ControlClass cls = found.control->design.cls;
    if (cls == ControlClass::TextBox) {
        // The same text again is no change. Any other change is reported by
        // the field itself (textChanged), as the user's are.
        if (found.window->toolkit->controlText(found.index) == text)
            return;
        const bool outer = programSetsText_;
        programSetsText_ = true;
        found.window->toolkit->setControlText(found.index, text);
        programSetsText_ = outer;
        return;
    }
    if (cls != ControlClass::Label && cls != ControlClass::CommandButton)
        throw std::logic_error("no caption on " + control.name);
    found.control->design.caption = text;
    found.window->toolkit->setControlText(found.index, text);
    // A self-sizing label fits its new caption.
    place(*found.window, found.index);
}

void RuntimeCore::setCaption(const ControlId& control, const std::string& caption)
{
    setText(control, caption);
}

ScreenSize RuntimeCore::screen() const
{
    return toolkit_.screenSize();
}

} // namespace dravelo::platform
