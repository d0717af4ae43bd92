// The windows' life cycle: the registry of loaded windows, load and show,
// the close query and unload, the session's end and the program's.

#include "platform/RuntimeCore.h"

#include <algorithm>
#include <stdexcept>

namespace dravelo::platform {

namespace {

Look lookOf(const FormDesign& form)
{
    return {backgroundOf(form), foregroundOf(form), form.font};
}

Look lookOf(const FormDesign& form, const ControlDesign& control, double fontSize)
{
    return {backgroundOf(control), foregroundOf(control), {fontSize, control.font.value_or(form.font).bold}};
}

} // namespace

RuntimeCore::RuntimeCore(std::vector<FormDesign> designs, WindowToolkit& toolkit, SystemServices& services)
    : designs_(std::move(designs)), toolkit_(toolkit), services_(services)
{
}

void RuntimeCore::discardWindows()
{
    events_ = nullptr;
    ended_ = true;
    pendingLeaves_.clear();
    for (auto& [form, w] : windows_)
        toolkit_.destroyWindow(*w->toolkit);
    windows_.clear();
    loadOrder_.clear();
}

const FormDesign& RuntimeCore::designOf(const std::string& form) const
{
    for (const FormDesign& design : designs_)
        if (design.name == form)
            return design;
    throw std::logic_error("no design for window " + form);
}

RuntimeCore::LoadedWindow* RuntimeCore::window(const std::string& form) const
{
    auto found = windows_.find(form);
    return found == windows_.end() ? nullptr : found->second.get();
}

RuntimeCore::LoadedWindow& RuntimeCore::loadedWindow(const std::string& form) const
{
    LoadedWindow* w = window(form);
    if (!w)
        throw std::logic_error("window not loaded: " + form);
    return *w;
}

ToolkitWindow* RuntimeCore::toolkitWindow(const std::string& form) const
{
    LoadedWindow* w = window(form);
    return w ? w->toolkit : nullptr;
}

bool RuntimeCore::isLoaded(const std::string& form) const
{
    return window(form) != nullptr;
}

void RuntimeCore::show(const std::string& form)
{
    if (ended_)
        return;
    if (LoadedWindow* shown = window(form)) {
        shown->toolkit->bringToFront();
        return;
    }
    auto loading = std::make_unique<LoadedWindow>();
    LoadedWindow* w = loading.get();
    w->design = &designOf(form);
    w->units = scaleUnitsOf(*w->design);
    w->place = {designedOuterRect(*w->design), w->design->placedByDesign};
    w->toolkit = &toolkit_.createWindow(*w->design, lookOf(*w->design), w->place);
    windows_[form] = std::move(loading);
    loadOrder_.push_back(form);
    build(*w);
    dispatch([&](FormEvents& e) { e.load(form); });
    // The load handler may have unloaded the window, or ended the program.
    if (ended_ || window(form) != w)
        return;
    w->toolkit->showAsDesigned();
}

void RuntimeCore::build(LoadedWindow& w)
{
    const FormDesign& form = *w.design;
    w.controls.reserve(form.controls.size());
    for (const ControlDesign& design : form.controls)
        w.controls.push_back({design, designedValues(form, design), design.caption});
    for (LoadedControl& c : w.controls) {
        const ControlBox box = boxOf(w, c);
        applyFit(w, c, box, w.toolkit->addControl(c.design, lookOf(form, c.design, c.values.fontSize), box));
    }
    w.toolkit->controlsAdded();
    const std::vector<std::size_t> tabOrder = tabOrderOf(form);
    if (!tabOrder.empty())
        w.toolkit->focusControl(tabOrder.front(), FocusCause::Program);
}

bool RuntimeCore::queryClose(const std::string& form, UnloadMode mode)
{
    if (ended_ || !window(form))
        return true;
    std::int16_t cancel = 0;
    ++closeQueries_;
    dispatch([&](FormEvents& e) { e.queryUnload(form, cancel, mode); });
    --closeQueries_;
    return ended_ || cancel == 0;
}

void RuntimeCore::unload(const std::string& form)
{
    if (ended_ || !window(form))
        return;
    if (queryClose(form, UnloadMode::FormCode) && !ended_)
        removeWindow(form);
}

void RuntimeCore::closeRequested(const std::string& form)
{
    // The close box is a control of the window: held like the others.
    if (ended_ || held() || !window(form))
        return;
    if (queryClose(form, UnloadMode::FormControlMenu) && !ended_)
        removeWindow(form);
}

void RuntimeCore::removeWindow(const std::string& form)
{
    auto found = windows_.find(form);
    if (found == windows_.end())
        return;
    std::unique_ptr<LoadedWindow> gone = std::move(found->second);
    windows_.erase(found);
    std::erase(loadOrder_, form);
    std::erase_if(pendingLeaves_, [&](const PendingLeave& leave) { return leave.field.form == form; });
    toolkit_.destroyWindow(*gone->toolkit);
}

void RuntimeCore::endProgram()
{
    if (ended_)
        return;
    ended_ = true;
    pendingLeaves_.clear();
    const std::vector<std::string> forms = loadOrder_;
    for (const std::string& form : forms)
        removeWindow(form);
    toolkit_.endEventLoop();
}

bool RuntimeCore::querySessionEnd()
{
    // The system may ask again while the query runs, or after every window
    // agreed: that answer holds for the whole program. A refusal is not
    // kept: the next log-off asks afresh. A close question that is already
    // open is not asked a second time: the session is refused, and that
    // question's answer decides whether the program ends.
    if (ended_ || sessionQueryRunning_ || sessionAgreed_)
        return true;
    if (closeQueries_ > 0)
        return false;
    sessionQueryRunning_ = true;
    bool agreed = true;
    const std::vector<std::string> forms = loadOrder_;
    for (const std::string& form : forms) {
        if (!queryClose(form, UnloadMode::AppWindows)) {
            agreed = false;
            break;
        }
        if (ended_)
            break;
    }
    sessionQueryRunning_ = false;
    sessionAgreed_ = agreed && !ended_;
    return agreed;
}

void RuntimeCore::sessionEnded(bool ending)
{
    sessionAgreed_ = false;
    if (ending)
        endProgram();
}

} // namespace dravelo::platform
