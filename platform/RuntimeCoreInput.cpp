// The control events with the program's semantics, whatever toolkit they
// come from: a field's leave runs only when the focus moves to another
// control of the same window (never for a message box or a change of
// active window), before the click that moved it; a refused leave voids
// that press; every press of a button (mouse, key, accessibility action,
// the program's own click) moves the focus before it clicks; KeyPress sees
// every character before the field, Enter and Esc before the default and
// cancel buttons. While the windows are held (RuntimeCoreModal.cpp) no
// press or key reaches a control.

#include "platform/RuntimeCore.h"

#include <algorithm>

namespace dravelo::platform {

namespace {

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kEscape = 27;

} // namespace

WindowKey windowKeyOf(std::int16_t keyAscii)
{
    return keyAscii == kEscape ? WindowKey::Escape : WindowKey::Enter;
}

std::optional<ControlId> RuntimeCore::focusedControl(const std::string& form) const
{
    const LoadedWindow* w = window(form);
    const std::optional<ControlIndex> focused = w ? w->toolkit->focusedControl() : std::nullopt;
    if (!focused || *focused >= w->controls.size())
        return std::nullopt;
    const ControlDesign& c = w->controls[*focused].design;
    return ControlId{form, c.name, c.index};
}

bool RuntimeCore::hasFocus(const ControlId& control) const
{
    return focusedControl(control.form) == control;
}

bool RuntimeCore::focusMoved(const ControlId& from, const ControlId& to)
{
    if (ended_ || !events_ || from == to || from.form != to.form)
        return false; // a message box, another window: no leave
    // Moving on from the control a running leave handler was leaving for
    // (typically back to its field) does not leave that control.
    if (leaveTarget_ == from)
        return false;
    const std::optional<Found> field = lookUp(from);
    if (!field || field->control->design.cls != ControlClass::TextBox || !lookUp(to))
        return false;
    pendingLeaves_.push_back({from, to});
    return true;
}

bool RuntimeCore::runPendingLeaves()
{
    bool reached = true;
    while (!pendingLeaves_.empty() && !ended_) {
        const PendingLeave leave = pendingLeaves_.front();
        pendingLeaves_.pop_front();
        const std::optional<ControlId> outerTarget = leaveTarget_;
        leaveTarget_ = leave.target;
        dispatch([&](FormEvents& e) { e.lostFocus(leave.field); });
        leaveTarget_ = outerTarget;
        if (!hasFocus(leave.target))
            reached = false; // the handler kept the focus
    }
    return reached && !ended_;
}

bool RuntimeCore::moveFocus(const ControlId& to, FocusCause cause)
{
    const std::optional<Found> found = lookUp(to);
    if (ended_ || !found)
        return false;
    found->window->toolkit->focusControl(found->index, cause);
    runPendingLeaves();
    return !ended_ && hasFocus(to);
}

void RuntimeCore::setFocus(const ControlId& control)
{
    if (ended_)
        return;
    if (takesFocus(find(control).control->design.cls))
        moveFocus(control, FocusCause::Program);
}

bool RuntimeCore::focusForPress(const ControlId& control)
{
    const std::optional<Found> found = lookUp(control);
    if (ended_ || held() || !found)
        return false;
    if (!takesFocus(found->control->design.cls) || hasFocus(control))
        return true;
    return moveFocus(control, FocusCause::Press);
}

void RuntimeCore::press(const ControlId& control)
{
    if (focusForPress(control))
        click(control);
}

void RuntimeCore::click(const ControlId& button)
{
    const std::optional<Found> found = lookUp(button);
    if (found && found->control->design.cls == ControlClass::CommandButton)
        dispatch([&](FormEvents& e) { e.click(button); });
}

KeyOutcome RuntimeCore::keyTyped(const ControlId& field, std::int16_t& keyAscii)
{
    if (held())
        return KeyOutcome::Spent;
    dispatch([&](FormEvents& e) { e.keyPress(field, keyAscii); });
    if (ended_ || !lookUp(field) || keyAscii == 0)
        return KeyOutcome::Spent; // the program ended, the window went, or the handler cancelled the key
    if (keyAscii != kEnter && keyAscii != kEscape)
        return KeyOutcome::Deliver;
    // A key whose handler moved the focus is spent.
    return hasFocus(field) ? KeyOutcome::ToWindow : KeyOutcome::Spent;
}

bool RuntimeCore::windowKey(const std::string& form, WindowKey key)
{
    const LoadedWindow* w = window(form);
    if (ended_ || held() || !w)
        return false;
    const auto isButton = [&](ControlIndex i) { return w->controls[i].design.cls == ControlClass::CommandButton; };
    std::optional<ControlIndex> answering = w->toolkit->focusedControl();
    if (key != WindowKey::Enter || !answering || !isButton(*answering)) {
        answering.reset();
        for (ControlIndex i = 0; i < w->controls.size() && !answering; ++i) {
            const ControlDesign& c = w->controls[i].design;
            if (isButton(i) && (key == WindowKey::Enter ? c.isDefault : c.isCancel))
                answering = i;
        }
    }
    if (!answering)
        return false;
    const ControlDesign& c = w->controls[*answering].design;
    press({form, c.name, c.index});
    return true;
}

bool RuntimeCore::accessKey(const std::string& form, char32_t letter)
{
    const LoadedWindow* w = window(form);
    if (ended_ || held() || !w)
        return false;
    for (const LoadedControl& c : w->controls)
        if (c.design.cls == ControlClass::CommandButton && sameAccessKey(accessKeyOf(c.design.caption), letter)) {
            press({form, c.design.name, c.design.index});
            return true;
        }
    return false;
}

void RuntimeCore::textChanged(const ControlId& field)
{
    const std::optional<Found> found = lookUp(field);
    if (!found || givingBackText_)
        return;
    if (held() && !programSetsText_) {
        giveBackText(field);
        return;
    }
    found->control->keptText = found->window->toolkit->controlText(found->index);
    dispatch([&](FormEvents& e) { e.change(field); });
}

std::optional<ControlId> RuntimeCore::nextInTabOrder(const std::string& form, bool backwards) const
{
    const LoadedWindow& w = loadedWindow(form);
    const std::vector<std::size_t> order = tabOrderOf(*w.design);
    if (order.empty())
        return std::nullopt;
    const std::optional<ControlIndex> focused = w.toolkit->focusedControl();
    auto at = std::find(order.begin(), order.end(), focused.value_or(w.controls.size()));
    std::size_t next = 0;
    if (at != order.end()) {
        const std::size_t i = static_cast<std::size_t>(at - order.begin());
        next = backwards ? (i + order.size() - 1) % order.size() : (i + 1) % order.size();
    }
    const ControlDesign& c = w.controls[order[next]].design;
    return ControlId{form, c.name, c.index};
}

} // namespace dravelo::platform
