// The runtime contract on the in-memory runtime the toolkit-free tests use.

#include "tests/platform/contract/RuntimeContract.h"
#include "tests/support/FakeRuntime.h"

#include <deque>
#include <functional>

namespace dravelo::testing::contract {

namespace {

class MemoryDriver {
public:
    explicit MemoryDriver(std::vector<platform::FormDesign> designs) : runtime_(std::move(designs))
    {
        runtime_.whileMessageBoxOpen = [this](const ShownMessage&) {
            if (boxSteps_.empty())
                return;
            const std::function<void()> step = std::move(boxSteps_.front());
            boxSteps_.pop_front();
            step();
        };
    }

    platform::FormsRuntime& runtime() { return runtime_; }
    void setEvents(platform::FormEvents* events) { runtime_.setEvents(events); }

    void open(const std::string& form) { runtime_.show(form); }
    void click(const ControlId& control) { runtime_.clickControl(control); }
    void accessKey(const std::string& form, char letter) { runtime_.accessKey(form, letter); }
    void tab(const std::string& form) { runtime_.tab(form); }
    void type(const ControlId& field, const std::string& text) { runtime_.typeKeys(field, text); }
    void enter(const ControlId& field) { runtime_.typeKeys(field, "\r"); }
    void escape(const ControlId& field) { runtime_.typeKeys(field, "\x1b"); }
    // The in-memory runtime has one way to press a button, whoever presses,
    // and the user's own ways to change a field.
    void press(const ControlId& control) { runtime_.clickControl(control); }
    void actFromOutside(const ControlId& control)
    {
        runtime_.clickControl(control);
        for (const platform::ControlDesign& c : runtime_.designOf(control.form).controls)
            if (c.name == control.name && c.cls == platform::ControlClass::TextBox) {
                runtime_.type(control, "x");
                runtime_.paste(control, "y");
            }
    }
    bool buttonHeld(const ControlId&) const { return false; }
    void paste(const ControlId& field, const std::string& text) { runtime_.paste(field, text); }
    // With a modifier held the key types nothing.
    void keypadDecimal(const ControlId&, Modifier) {}
    void closeBox(const std::string& form) { runtime_.closeBox(form); }
    bool endSession() { return runtime_.endSession(); }
    void inNextBox(std::function<void()> act) { boxSteps_.push_back(std::move(act)); }
    void duringServiceWait(const std::function<void()>& act) { runtime_.waitForService(act); }
    void activate(const std::string& form) { runtime_.activate(form); }
    // An input box without a scripted answer is cancelled.
    void answerNextBox(MsgAnswer answer)
    {
        runtime_.msgAnswers.push_back(answer);
    }
    std::optional<ControlId> focus() const
    {
        return runtime_.focus.form.empty() ? std::nullopt : std::optional(runtime_.focus);
    }
    std::string frontWindow() const { return runtime_.front; }
    void settle() {}

private:
    FakeRuntime runtime_;
    std::deque<std::function<void()>> boxSteps_;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(memory, RuntimeContract, MemoryDriver);

} // namespace dravelo::testing::contract
