#include "tests/support/FakeRuntime.h"

#include <algorithm>
#include <stdexcept>

namespace dravelo::testing {

using platform::ControlId;
using platform::ControlKind;
using platform::MsgAnswer;
using platform::UnloadMode;

namespace {

class FakePrintJob : public platform::PrintJob {
public:
    explicit FakePrintJob(FakeDocument& doc) : doc_(doc) {}
    void setCurrentX(float twips) override { x_ = twips; }
    void setCurrentY(float twips) override { y_ = twips; }
    float currentX() const override { return x_; }
    float currentY() const override { return y_; }
    void setFontSize(double points) override { size_ = points; }
    void setFontBold(bool bold) override { bold_ = bold; }
    // A fixed-pitch model: every character is the average width.
    float averageCharWidth() const override { return static_cast<float>(size_ * 10); }
    float lineHeight() const override { return static_cast<float>(size_ * 24); }
    void printText(const std::string& text) override
    {
        doc_.texts.push_back({x_, y_, size_, bold_, text});
        x_ += averageCharWidth() * static_cast<float>(text.size());
    }
    std::string endDoc() override
    {
        doc_.ended = true;
        return {};
    }

private:
    FakeDocument& doc_;
    float x_ = 0, y_ = 0;
    double size_ = 8.25;
    bool bold_ = false;
};

} // namespace

FakeRuntime::FakeRuntime(std::vector<platform::FormDesign> designs) : designs_(std::move(designs)) {}

FakeRuntime::Control& FakeRuntime::find(const ControlId& id)
{
    return const_cast<Control&>(static_cast<const FakeRuntime*>(this)->find(id));
}

const FakeRuntime::Control& FakeRuntime::find(const ControlId& id) const
{
    auto form = loaded.find(id.form);
    if (form == loaded.end())
        throw std::logic_error("form not loaded: " + id.form);
    for (const Control& c : form->second.controls)
        if (c.design.name == id.name && c.design.index == id.index)
            return c;
    throw std::logic_error("no control " + id.form + "." + id.name);
}

void FakeRuntime::show(const std::string& name)
{
    if (ended || loaded.count(name))
        return;
    auto design = std::find_if(designs_.begin(), designs_.end(),
                               [&](const platform::FormDesign& d) { return d.name == name; });
    if (design == designs_.end())
        throw std::logic_error("no design " + name);
    Form form;
    form.design = *design;
    form.caption = design->caption;
    form.left = design->clientLeft - platform::kFrameSideTwips;
    form.top = design->clientTop - platform::kFrameTopTwips;
    form.width = design->clientWidth + 2 * platform::kFrameSideTwips;
    form.height = design->clientHeight + platform::kFrameTopTwips + platform::kFrameSideTwips;
    for (const platform::ControlDesign& c : design->controls) {
        Control control;
        control.design = c;
        control.text = c.caption;
        control.fontSize = c.font ? c.font->pointSize : design->font.pointSize;
        form.controls.push_back(control);
    }
    loaded[name] = form;
    loadOrder.push_back(name);
    if (events_)
        events_->load(name);
}

bool FakeRuntime::raiseQueryUnload(const std::string& form, UnloadMode mode)
{
    std::int16_t cancel = 0;
    if (events_)
        events_->queryUnload(form, cancel, mode);
    if (ended)
        return true;
    if (cancel)
        return false;
    loaded.erase(form);
    if (focus.form == form)
        focus = {};
    return true;
}

void FakeRuntime::unload(const std::string& form)
{
    if (!ended && loaded.count(form))
        raiseQueryUnload(form, UnloadMode::FormCode);
}

void FakeRuntime::closeBox(const std::string& form)
{
    if (!ended && loaded.count(form))
        raiseQueryUnload(form, UnloadMode::FormControlMenu);
}

bool FakeRuntime::isLoaded(const std::string& form) const
{
    return loaded.count(form) > 0;
}

void FakeRuntime::endProgram()
{
    ended = true;
    loaded.clear();
    focus = {};
}

void FakeRuntime::setFormCaption(const std::string& form, const std::string& caption)
{
    loaded.at(form).caption = caption;
}

float FakeRuntime::formProperty(const std::string& name, const std::string& prop) const
{
    const Form& form = loaded.at(name);
    if (prop == "Left")
        return form.left;
    if (prop == "Top")
        return form.top;
    if (prop == "Width")
        return form.width;
    if (prop == "Height")
        return form.height;
    throw std::logic_error("no window property " + prop);
}

void FakeRuntime::setFormProperty(const std::string& name, const std::string& prop, float value)
{
    Form& form = loaded.at(name);
    if (prop == "Left")
        form.left = value;
    else if (prop == "Top")
        form.top = value;
    else if (prop == "Width")
        form.width = value;
    else if (prop == "Height")
        form.height = value;
    else
        throw std::logic_error("no window property " + prop);
}

std::vector<ControlId> FakeRuntime::controls(const std::string& name) const
{
    std::vector<ControlId> ids;
    for (const Control& c : loaded.at(name).controls)
        ids.push_back({name, c.design.name, c.design.index});
    return ids;
}

ControlKind FakeRuntime::kind(const ControlId& id) const
{
    switch (find(id).design.cls) {
    case platform::ControlClass::Line:
        return ControlKind::Line;
    case platform::ControlClass::Image:
        return ControlKind::Image;
    default:
        return ControlKind::Other;
    }
}

double FakeRuntime::property(const ControlId& id, const std::string& prop) const
{
    const Control& c = find(id);
    const bool line = c.design.cls == platform::ControlClass::Line;
    if (prop == "FontSize" && !line && c.design.cls != platform::ControlClass::Image)
        return c.fontSize;
    if (line ? prop == "X1" : prop == "Left")
        return c.design.left;
    if (line ? prop == "Y1" : prop == "Top")
        return c.design.top;
    if (line ? prop == "X2" : prop == "Width")
        return c.design.width;
    if (line ? prop == "Y2" : prop == "Height")
        return c.design.height;
    throw std::logic_error("no property " + prop + " on " + id.name);
}

void FakeRuntime::setProperty(const ControlId& id, const std::string& prop, double value)
{
    Control& c = find(id);
    const bool line = c.design.cls == platform::ControlClass::Line;
    const float v = static_cast<float>(value);
    if (prop == "FontSize" && !line && c.design.cls != platform::ControlClass::Image)
        c.fontSize = value;
    else if (line ? prop == "X1" : prop == "Left")
        c.design.left = v;
    else if (line ? prop == "Y1" : prop == "Top")
        c.design.top = v;
    else if (line ? prop == "X2" : prop == "Width")
        c.design.width = v;
    else if (line ? prop == "Y2" : prop == "Height")
        c.design.height = v;
    else
        throw std::logic_error("no property " + prop + " on " + id.name);
}

std::string FakeRuntime::text(const ControlId& id) const
{
    return find(id).text;
}

void FakeRuntime::setText(const ControlId& id, const std::string& text)
{
    Control& c = find(id);
    if (c.text == text)
        return;
    c.text = text;
    if (events_ && !ended && c.design.cls == platform::ControlClass::TextBox)
        events_->change(id);
}

void FakeRuntime::setCaption(const ControlId& id, const std::string& caption)
{
    find(id).text = caption;
}

void FakeRuntime::setFocus(const ControlId& id)
{
    find(id);
    const ControlId previous = focus;
    focus = id;
    if (events_ && !ended && !previous.form.empty() && previous.form == id.form && !(previous == id))
        events_->lostFocus(previous);
}

void FakeRuntime::type(const ControlId& field, const std::string& text)
{
    setText(field, text);
}

void FakeRuntime::userFocus(const ControlId& control)
{
    setFocus(control);
}

MsgAnswer FakeRuntime::msgBox(const std::string& text, platform::MsgButtons buttons, platform::MsgIcon icon,
                              platform::MsgDefault defaultButton)
{
    messages.push_back({text, buttons, icon, defaultButton});
    if (!msgAnswers.empty()) {
        MsgAnswer answer = msgAnswers.front();
        msgAnswers.pop_front();
        return answer;
    }
    return buttons == platform::MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
}

std::string FakeRuntime::inputBox(const std::string& prompt, const std::string& title)
{
    inputPrompts.emplace_back(prompt, title);
    if (inputAnswers.empty())
        return {};
    std::string answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

std::string FakeRuntime::writeFile(const std::string& path, const std::string& bytes)
{
    auto failure = failingWrites.find(path);
    if (failure != failingWrites.end())
        return failure->second;
    files[path] = bytes;
    return {};
}

std::string FakeRuntime::firstMatch(const std::string& pattern) const
{
    return existingFiles.count(pattern) ? pattern.substr(pattern.find_last_of("/\\") + 1) : std::string();
}

bool FakeRuntime::launch(const std::string& program)
{
    launched.push_back(program);
    return launchSucceeds;
}

std::unique_ptr<platform::PrintJob> FakeRuntime::startJob(std::string& whyNot)
{
    if (!noPrinterReason.empty()) {
        whyNot = noPrinterReason;
        return nullptr;
    }
    documents.emplace_back();
    return std::make_unique<FakePrintJob>(documents.back());
}

} // namespace dravelo::testing
