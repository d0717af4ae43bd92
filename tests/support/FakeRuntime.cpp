#include "tests/support/FakeRuntime.h"

#include "platform/DesignRules.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace dravelo::testing {

using platform::ControlId;
using platform::ControlKind;
using platform::MsgAnswer;
using platform::UnloadMode;

namespace {

constexpr const char* kProgramEnded = "the program has ended";

class FakePrintJob : public platform::PrintJob {
public:
    FakePrintJob(FakeDocument& doc, std::string notice) : doc_(doc), notice_(std::move(notice)) {}
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
    std::string notice() const override { return notice_; }

private:
    FakeDocument& doc_;
    std::string notice_;
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
    if (ended)
        return;
    if (loaded.count(name)) {
        front = name;
        return;
    }
    auto design = std::find_if(designs_.begin(), designs_.end(),
                               [&](const platform::FormDesign& d) { return d.name == name; });
    if (design == designs_.end())
        throw std::logic_error("no design " + name);
    Form form;
    form.design = *design;
    form.caption = design->caption;
    form.outer = platform::designedOuterRect(*design);
    for (const platform::ControlDesign& c : design->controls) {
        Control control;
        control.design = c;
        control.text = c.caption;
        control.form = name;
        control.values = platform::designedValues(*design, c);
        form.controls.push_back(control);
    }
    loaded[name] = form;
    loadOrder.push_back(name);
    if (events_)
        events_->load(name);
    if (!ended && loaded.count(name))
        front = name;
}

bool FakeRuntime::raiseQueryUnload(const std::string& form, UnloadMode mode)
{
    std::int16_t cancel = 0;
    ++closeQueries_;
    if (events_)
        events_->queryUnload(form, cancel, mode);
    --closeQueries_;
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
    if (!ended && !held() && loaded.count(form))
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
    const std::optional<platform::WindowProperty> property = platform::windowPropertyNamed(prop);
    if (!property)
        platform::noSuchProperty(name, prop);
    return platform::valueOf(loaded.at(name).outer, *property);
}

void FakeRuntime::setFormProperty(const std::string& name, const std::string& prop, float value)
{
    const std::optional<platform::WindowProperty> property = platform::windowPropertyNamed(prop);
    if (!property)
        platform::noSuchProperty(name, prop);
    platform::valueOf(loaded.at(name).outer, *property) = value;
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
    return platform::kindOf(find(id).design.cls);
}

double FakeRuntime::property(const ControlId& id, const std::string& prop) const
{
    if (ended)
        return 0;
    const Control& c = find(id);
    const std::optional<platform::ControlProperty> property = platform::controlPropertyNamed(c.design.cls, prop);
    if (!property)
        platform::noSuchProperty(id.name, prop);
    return platform::valueOf(c.values, *property);
}

void FakeRuntime::setProperty(const ControlId& id, const std::string& prop, double value)
{
    if (ended)
        return;
    Control& c = find(id);
    const std::optional<platform::ControlProperty> property = platform::controlPropertyNamed(c.design.cls, prop);
    if (!property)
        platform::noSuchProperty(id.name, prop);
    platform::valueOf(c.values, *property) = value;
    if (property == platform::ControlProperty::FontSize)
        fitToContent(c);
}

void FakeRuntime::fitToContent(Control& c)
{
    if (!c.design.autoSize || c.design.cls != platform::ControlClass::Label || c.design.wordWrap)
        return;
    const platform::ScaleUnits units = platform::scaleUnitsOf(loaded.at(c.form).design);
    c.values.width = static_cast<double>(c.text.size()) * c.values.fontSize * kTwipsPerCharacterPoint / units.across;
}

std::string FakeRuntime::text(const ControlId& id) const
{
    if (ended)
        return {};
    return find(id).text;
}

void FakeRuntime::setText(const ControlId& id, const std::string& text)
{
    if (ended)
        return;
    Control& c = find(id);
    if (c.text == text)
        return;
    c.text = text;
    fitToContent(c);
    if (events_ && !ended && c.design.cls == platform::ControlClass::TextBox)
        events_->change(id);
}

void FakeRuntime::setCaption(const ControlId& id, const std::string& caption)
{
    setText(id, caption);
}

void FakeRuntime::setFocus(const ControlId& id)
{
    if (ended)
        return;
    find(id);
    const ControlId previous = focus;
    focus = id;
    // Moving on from the control a running leave handler was leaving for
    // (back to its field) does not leave that control.
    const bool leavesAField = !previous.form.empty() && previous.form == id.form && !(previous == id) &&
                              !(leaveTarget_ && *leaveTarget_ == previous) &&
                              find(previous).design.cls == platform::ControlClass::TextBox;
    if (!events_ || ended || !leavesAField)
        return;
    const std::optional<ControlId> outerTarget = leaveTarget_;
    leaveTarget_ = id;
    events_->lostFocus(previous);
    leaveTarget_ = outerTarget;
}

void FakeRuntime::typeKeys(const ControlId& field, const std::string& text)
{
    constexpr std::int16_t kEnter = 13;
    constexpr std::int16_t kEscape = 27;
    if (held()) {
        for (const char typed : text)
            keyToBox(typed);
        return;
    }
    for (const char typed : text) {
        std::int16_t keyAscii = static_cast<unsigned char>(typed);
        if (events_ && !ended)
            events_->keyPress(field, keyAscii);
        if (ended || keyAscii == 0 || !(focus == field))
            continue;
        if (keyAscii == kEnter || keyAscii == kEscape) {
            for (const Control& c : loaded.at(field.form).controls)
                if (keyAscii == kEnter ? c.design.isDefault : c.design.isCancel) {
                    clickControl({field.form, c.design.name, c.design.index});
                    break;
                }
            continue;
        }
        setText(field, find(field).text + static_cast<char>(keyAscii));
    }
}

void FakeRuntime::paste(const ControlId& field, const std::string& text)
{
    const std::string firstLine = text.substr(0, text.find_first_of("\r\n"));
    if (!ended && !held() && !firstLine.empty())
        setText(field, find(field).text + firstLine);
}

void FakeRuntime::clickControl(const ControlId& control)
{
    if (held())
        return;
    const platform::ControlClass cls = find(control).design.cls;
    const bool focusable = cls == platform::ControlClass::TextBox || cls == platform::ControlClass::CommandButton;
    if (focusable && !(focus == control)) {
        setFocus(control);
        if (ended || !(focus == control))
            return; // the field being left kept the focus
    }
    if (events_ && !ended && cls == platform::ControlClass::CommandButton)
        events_->click(control);
}

void FakeRuntime::accessKey(const std::string& form, char letter)
{
    if (held())
        return;
    for (const Control& c : loaded.at(form).controls) {
        const std::string& caption = c.text;
        const std::size_t mark = caption.find('&');
        if (c.design.cls == platform::ControlClass::CommandButton && mark != std::string::npos &&
            mark + 1 < caption.size() &&
            std::tolower(static_cast<unsigned char>(caption[mark + 1])) == std::tolower(static_cast<unsigned char>(letter))) {
            clickControl({form, c.design.name, c.design.index});
            return;
        }
    }
}

void FakeRuntime::tab(const std::string& form)
{
    if (held())
        return;
    std::vector<const Control*> order;
    for (const Control& c : loaded.at(form).controls)
        if (c.design.cls == platform::ControlClass::TextBox || c.design.cls == platform::ControlClass::CommandButton)
            order.push_back(&c);
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->design.tabIndex < b->design.tabIndex; });
    if (order.empty())
        return;
    std::size_t next = 0;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (focus == ControlId{form, order[i]->design.name, order[i]->design.index})
            next = (i + 1) % order.size();
    setFocus({form, order[next]->design.name, order[next]->design.index});
}

bool FakeRuntime::endSession()
{
    if (closeQueries_ > 0)
        return false;
    const std::vector<std::string> forms = loadOrder;
    for (const std::string& form : forms) {
        if (ended)
            return true;
        if (!loaded.count(form))
            continue;
        std::int16_t cancel = 0;
        ++closeQueries_;
        if (events_)
            events_->queryUnload(form, cancel, UnloadMode::AppWindows);
        --closeQueries_;
        if (cancel && !ended)
            return false;
    }
    endProgram();
    return true;
}

void FakeRuntime::type(const ControlId& field, const std::string& text)
{
    if (!held())
        setText(field, text);
}

void FakeRuntime::userFocus(const ControlId& control)
{
    if (!held())
        setFocus(control);
}

void FakeRuntime::waitForService(const std::function<void()>& whileWaiting)
{
    const Hold hold(*this);
    whileWaiting();
}

void FakeRuntime::keyToBox(char key)
{
    if (!openBox_ || (key != '\r' && key != '\x1b'))
        return;
    const ShownMessage& box = openBox_->shown;
    const bool yesNo = box.buttons == platform::MsgButtons::YesNo;
    if (key == '\x1b')
        openBox_->byKey = yesNo ? MsgAnswer::No : MsgAnswer::Ok;
    else if (!yesNo)
        openBox_->byKey = MsgAnswer::Ok;
    else
        openBox_->byKey = box.defaultButton == platform::MsgDefault::First ? MsgAnswer::Yes : MsgAnswer::No;
}

MsgAnswer FakeRuntime::msgBox(const std::string& text, platform::MsgButtons buttons, platform::MsgIcon icon,
                              platform::MsgDefault defaultButton)
{
    if (ended)
        return buttons == platform::MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    messages.push_back({text, buttons, icon, defaultButton});
    OpenBox box{messages.back(), std::nullopt}; // the hook may show more
    {
        const Hold hold(*this);
        OpenBox* outer = openBox_;
        openBox_ = &box;
        if (whileMessageBoxOpen)
            whileMessageBoxOpen(box.shown);
        openBox_ = outer;
    }
    if (ended)
        return buttons == platform::MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    if (box.byKey)
        return *box.byKey;
    if (!msgAnswers.empty()) {
        MsgAnswer answer = msgAnswers.front();
        msgAnswers.pop_front();
        return answer;
    }
    return buttons == platform::MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
}

std::string FakeRuntime::inputBox(const std::string& prompt, const std::string& title)
{
    if (ended)
        return {};
    const Hold hold(*this);
    inputPrompts.emplace_back(prompt, title);
    if (inputAnswers.empty())
        return {};
    std::string answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

std::string FakeRuntime::writeFile(const std::string& path, const std::string& bytes)
{
    if (ended)
        return kProgramEnded;
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
    if (ended)
        return false;
    launched.push_back(program);
    return launchSucceeds;
}

std::unique_ptr<platform::PrintJob> FakeRuntime::startJob(std::string& whyNot)
{
    if (ended) {
        whyNot = kProgramEnded;
        return nullptr;
    }
    if (!noPrinterReason.empty()) {
        whyNot = noPrinterReason;
        return nullptr;
    }
    documents.emplace_back();
    return std::make_unique<FakePrintJob>(documents.back(), printNotice);
}

} // namespace dravelo::testing
