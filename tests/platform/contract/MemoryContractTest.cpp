// The runtime contract on the in-memory runtime the toolkit-free tests use.

#include "tests/platform/contract/RuntimeContract.h"
#include "tests/support/FakeRuntime.h"

namespace dravelo::testing::contract {

namespace {

class MemoryDriver {
public:
    explicit MemoryDriver(std::vector<platform::FormDesign> designs) : runtime_(std::move(designs))
    {
        runtime_.whileMessageBoxOpen = [this](const ShownMessage&) {
            if (!endSessionInBox_)
                return;
            endSessionInBox_ = false;
            sessionEndedInBox_ = runtime_.endSession();
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
    // The in-memory runtime has one way to press a button, whoever presses.
    void press(const ControlId& control) { runtime_.clickControl(control); }
    bool buttonHeld(const ControlId&) const { return false; }
    void paste(const ControlId& field, const std::string& text) { runtime_.paste(field, text); }
    // With a modifier held the key types nothing.
    void keypadDecimal(const ControlId&, Modifier) {}
    void closeBox(const std::string& form) { runtime_.closeBox(form); }
    bool endSession() { return runtime_.endSession(); }
    void endSessionInNextBox() { endSessionInBox_ = true; }
    std::optional<bool> sessionEndedInBox() const { return sessionEndedInBox_; }
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
    bool endSessionInBox_ = false;
    std::optional<bool> sessionEndedInBox_;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(memory, RuntimeContract, MemoryDriver);

} // namespace dravelo::testing::contract
