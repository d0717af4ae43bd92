#include "tests/support/FakeRuntime.h"

#include <utility>

namespace dravelo::testing {

using platform::ControlId;
using platform::ControlIndex;
using platform::MsgAnswer;

namespace {

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

// A window as a table of its controls' texts and fonts. The focus is one
// for the whole fake desktop.
class FakeWindow : public platform::ToolkitWindow {
public:
    FakeWindow(FakeRuntime& runtime, const platform::FormDesign& design)
        : runtime_(runtime), form_(design.name), caption_(design.caption)
    {
    }
    ~FakeWindow() override
    {
        if (runtime_.focus.form == form_)
            runtime_.focus = {};
    }

    std::optional<platform::TwipsSize> addControl(const platform::ControlDesign& design, const platform::Look& look,
                                                  const platform::ControlBox& box) override
    {
        controls_.push_back({design, design.caption, look.font.pointSize});
        return fit(controls_.size() - 1, box);
    }
    void controlsAdded() override {}
    std::optional<platform::TwipsSize> placeControl(ControlIndex control, const platform::ControlBox& box) override
    {
        return fit(control, box);
    }
    void setControlFont(ControlIndex control, const platform::FontSpec& font) override
    {
        controls_[control].fontSize = font.pointSize;
    }
    std::string controlText(ControlIndex control) const override { return controls_[control].text; }
    void setControlText(ControlIndex control, const std::string& text) override
    {
        controls_[control].text = text;
        if (controls_[control].design.cls == platform::ControlClass::TextBox)
            runtime_.textChanged(idOf(control));
    }
    void focusControl(ControlIndex control, platform::FocusCause) override
    {
        const ControlId previous = runtime_.focus;
        runtime_.focus = idOf(control);
        if (!previous.form.empty())
            runtime_.focusMoved(previous, runtime_.focus);
    }
    std::optional<ControlIndex> focusedControl() const override
    {
        for (ControlIndex i = 0; i < controls_.size(); ++i)
            if (runtime_.focus == idOf(i))
                return i;
        return std::nullopt;
    }
    void setCaption(const std::string& caption) override { caption_ = caption; }
    void place(const platform::WindowPlace&) override {}
    void showAsDesigned() override { runtime_.front = form_; }
    void bringToFront() override { runtime_.front = form_; }
    void setEnabled(bool) override {}

    const std::string& caption() const { return caption_; }
    // The user's edit of a field: a change unless the text is the same.
    void userEdit(const ControlId& field, const std::string& text)
    {
        for (ControlIndex i = 0; i < controls_.size(); ++i)
            if (idOf(i) == field && controls_[i].text != text)
                setControlText(i, text);
    }

private:
    struct Control {
        platform::ControlDesign design;
        std::string text;
        double fontSize;
    };
    ControlId idOf(ControlIndex control) const
    {
        return {form_, controls_[control].design.name, controls_[control].design.index};
    }
    // A self-sizing single-line label's width follows its text.
    std::optional<platform::TwipsSize> fit(ControlIndex control, const platform::ControlBox& box) const
    {
        const Control& c = controls_[control];
        if (!c.design.autoSize || c.design.cls != platform::ControlClass::Label || c.design.wordWrap)
            return std::nullopt;
        const double width = static_cast<double>(c.text.size()) * c.fontSize * FakeRuntime::kTwipsPerCharacterPoint;
        return platform::TwipsSize{width, box.height};
    }

    FakeRuntime& runtime_;
    std::string form_;
    std::string caption_;
    std::vector<Control> controls_;
};

platform::ToolkitWindow& FakeRuntime::createWindow(const platform::FormDesign& design, const platform::Look&,
                                                   const platform::WindowPlace&)
{
    loadOrder.push_back(design.name);
    return *windows_.emplace_back(std::make_unique<FakeWindow>(*this, design));
}

void FakeRuntime::destroyWindow(platform::ToolkitWindow& window)
{
    std::erase_if(windows_, [&](const std::unique_ptr<FakeWindow>& w) { return w.get() == &window; });
}

MsgAnswer FakeRuntime::askUser(const std::string& text, platform::MsgButtons buttons, platform::MsgIcon icon,
                               platform::MsgDefault defaultButton)
{
    messages.push_back({text, buttons, icon, defaultButton});
    OpenBox box{messages.back(), std::nullopt}; // the hook may show more
    OpenBox* outer = std::exchange(openBox_, &box);
    if (whileMessageBoxOpen)
        whileMessageBoxOpen(box.shown);
    openBox_ = outer;
    if (box.byKey)
        return *box.byKey;
    if (ended() || msgAnswers.empty())
        return buttons == platform::MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    const MsgAnswer answer = msgAnswers.front();
    msgAnswers.pop_front();
    return answer;
}

std::string FakeRuntime::askText(const std::string& prompt, const std::string& title)
{
    inputPrompts.emplace_back(prompt, title);
    if (inputAnswers.empty())
        return {};
    std::string answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

std::string FakeServices::dateText() const
{
    return runtime_.date_;
}

std::string FakeServices::timeText() const
{
    return runtime_.time_;
}

platform::NumberFormat FakeServices::numberFormat() const
{
    return runtime_.numberFormat_;
}

std::string FakeServices::writeFile(const std::string& path, const std::string& bytes)
{
    auto failure = runtime_.failingWrites.find(path);
    if (failure != runtime_.failingWrites.end())
        return failure->second;
    runtime_.files[path] = bytes;
    return {};
}

std::string FakeServices::firstMatch(const std::string& pattern) const
{
    return runtime_.existingFiles.count(pattern) ? pattern.substr(pattern.find_last_of("/\\") + 1) : std::string();
}

bool FakeServices::launch(const std::string& program)
{
    runtime_.launched.push_back(program);
    return runtime_.launchSucceeds;
}

std::unique_ptr<platform::PrintJob> FakeServices::startJob(std::string& whyNot)
{
    if (!runtime_.noPrinterReason.empty()) {
        whyNot = runtime_.noPrinterReason;
        return nullptr;
    }
    runtime_.documents.emplace_back();
    return std::make_unique<FakePrintJob>(runtime_.documents.back(), runtime_.printNotice);
}

FakeRuntime::FakeRuntime(std::vector<platform::FormDesign> designs)
    : RuntimeCore(std::move(designs), *this, services_), services_(*this)
{
}

FakeRuntime::~FakeRuntime()
{
    discardWindows();
}

std::string FakeRuntime::caption(const std::string& form) const
{
    const auto* window = static_cast<const FakeWindow*>(toolkitWindow(form));
    return window ? window->caption() : std::string();
}

void FakeRuntime::runModalLoop(const std::function<bool()>&, std::chrono::steady_clock::time_point)
{
    if (whileWaiting_)
        std::exchange(whileWaiting_, nullptr)();
}

void FakeRuntime::waitForService(const std::function<void()>& whileWaiting)
{
    bool waited = false;
    whileWaiting_ = [&] {
        whileWaiting();
        waited = true;
    };
    waitForService([&] { return waited; }, std::chrono::steady_clock::time_point::max());
    whileWaiting_ = nullptr;
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

void FakeRuntime::userEdit(const ControlId& field, const std::string& text)
{
    if (auto* window = static_cast<FakeWindow*>(toolkitWindow(field.form)))
        window->userEdit(field, text);
}

void FakeRuntime::type(const ControlId& field, const std::string& text)
{
    userEdit(field, text);
}

void FakeRuntime::typeKeys(const ControlId& field, const std::string& text)
{
    if (held()) {
        for (const char typed : text)
            keyToBox(typed);
        return;
    }
    for (const char typed : text) {
        std::int16_t keyAscii = static_cast<unsigned char>(typed);
        const platform::KeyOutcome outcome = keyTyped(field, keyAscii);
        if (outcome == platform::KeyOutcome::ToWindow)
            windowKey(field.form, platform::windowKeyOf(keyAscii));
        // A key typed after the focus has gone goes with it.
        else if (outcome == platform::KeyOutcome::Deliver && focus == field)
            userEdit(field, this->text(field) + static_cast<char>(keyAscii));
    }
}

void FakeRuntime::paste(const ControlId& field, const std::string& text)
{
    const std::string firstLine = text.substr(0, text.find_first_of("\r\n"));
    if (!ended() && !firstLine.empty())
        userEdit(field, this->text(field) + firstLine);
}

void FakeRuntime::clickControl(const ControlId& control)
{
    press(control);
}

void FakeRuntime::tab(const std::string& form)
{
    if (const std::optional<ControlId> next = nextInTabOrder(form, false))
        focusForPress(*next);
}

bool FakeRuntime::endSession()
{
    if (!querySessionEnd())
        return false;
    sessionEnded(true);
    return true;
}

} // namespace dravelo::testing
