#pragma once
// An in-memory forms runtime for the toolkit-free tests: the runtime core
// over windows that are property tables, scripted dialog answers, a fixed
// clock, a recorded file system, launcher and printer. The semantics are the
// core's, the same as on the real toolkits.

#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"
#include "platform/RuntimeCore.h"
#include "platform/WindowToolkit.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace dravelo::testing {

struct ShownMessage {
    std::string text;
    platform::MsgButtons buttons;
    platform::MsgIcon icon;
    platform::MsgDefault defaultButton;
};

struct PrintedText {
    float x, y;
    double fontSize;
    bool bold;
    std::string text;
};

struct FakeDocument {
    std::vector<PrintedText> texts;
    bool ended = false;
};

class FakeRuntime;
class FakeWindow;

// Clock, regional settings, files, launcher and printer, as scripted.
class FakeServices : public platform::SystemServices {
public:
    explicit FakeServices(FakeRuntime& runtime) : runtime_(runtime) {}
    std::string dateText() const override;
    std::string timeText() const override;
    platform::NumberFormat numberFormat() const override;
    std::string writeFile(const std::string& path, const std::string& bytes) override;
    std::string firstMatch(const std::string& pattern) const override;
    bool launch(const std::string& program) override;
    std::unique_ptr<platform::PrintJob> startJob(std::string& whyNot) override;

private:
    FakeRuntime& runtime_;
};

// The windows are the fake's own primitives: property tables, one focus
// for the whole fake desktop, the window in front, scripted dialogs.
class FakeRuntime : private platform::WindowToolkit, public platform::RuntimeCore {
public:
    explicit FakeRuntime(std::vector<platform::FormDesign> designs);
    ~FakeRuntime() override;

    // Simulates the user: a close request from the window manager.
    void closeBox(const std::string& form) { closeRequested(form); }
    // Simulates the user typing: the field's text becomes text (Change runs).
    void type(const platform::ControlId& field, const std::string& text);
    // Simulates the user moving the focus (LostFocus of the old field runs).
    void userFocus(const platform::ControlId& control) { focusForPress(control); }
    // Simulates the user's keys in a field: KeyPress for each character,
    // then the text changes (Change runs) unless the handler cancelled it.
    // "\r" (Enter) and "\x1b" (Esc) press the window's default and cancel
    // buttons unless their handler moved the focus.
    void typeKeys(const platform::ControlId& field, const std::string& text);
    // A paste into the field: the text up to its first line break is added.
    void paste(const platform::ControlId& field, const std::string& text);
    // A mouse click, or any other press: the focus moves to the control,
    // then its Click runs unless the field being left kept the focus.
    void clickControl(const platform::ControlId& control);
    // The Tab key: the focus moves to the next control in tab order.
    void tab(const std::string& form);
    // The desktop session ends: every loaded window is asked, in load
    // order; true, and the program ends, when none refuses. Refused
    // without asking while a close query waits for its answer.
    bool endSession();
    // The user brings a window to the front; no control event runs.
    void activate(const std::string& form) { front = form; }
    // A wait for a slow service: the windows are held, as under a box,
    // while whileWaiting runs. While they are held every user action above
    // does nothing, but Enter and Esc answer the message box that is open.
    using RuntimeCore::waitForService;
    void waitForService(const std::function<void()>& whileWaiting);
    // The window's caption.
    std::string caption(const std::string& form) const;

    // Set-up and inspection for tests.
    platform::ScreenSize screen_{9600, 7200};
    std::string date_ = "07/12/2026";
    std::string time_ = "10:11:12";
    platform::NumberFormat numberFormat_ = platform::italianNumberFormat();
    std::deque<platform::MsgAnswer> msgAnswers;
    // Runs while each message box is open, before it takes its answer.
    std::function<void(const ShownMessage&)> whileMessageBoxOpen;
    std::deque<std::string> inputAnswers;
    std::vector<ShownMessage> messages;
    std::vector<std::pair<std::string, std::string>> inputPrompts; // prompt, title
    std::map<std::string, std::string> files;     // path -> bytes written
    std::map<std::string, std::string> failingWrites; // path -> reason
    std::set<std::string> existingFiles;          // for firstMatch
    std::vector<std::string> launched;
    bool launchSucceeds = true;
    std::string noPrinterReason;                  // non-empty: no printer
    std::string printNotice;                      // what a job that went out tells
    std::deque<FakeDocument> documents;          // deque: jobs hold references
    std::vector<std::string> loadOrder;           // forms in the order loaded
    platform::ControlId focus;                    // control holding the focus
    std::string front;                            // the active window

    // Self-sizing labels are measured as if every character were this wide
    // per point of font size.
    static constexpr double kTwipsPerCharacterPoint = 10;

private:
    platform::ToolkitWindow& createWindow(const platform::FormDesign& design, const platform::Look& look,
                                          const platform::WindowPlace& place) override;
    void destroyWindow(platform::ToolkitWindow& window) override;
    platform::ScreenSize screenSize() const override { return screen_; }
    platform::MsgAnswer askUser(const std::string& text, platform::MsgButtons buttons, platform::MsgIcon icon,
                                platform::MsgDefault defaultButton) override;
    std::string askText(const std::string& prompt, const std::string& title) override;
    // The fake's services answer at once: a wait only runs what a test
    // does meanwhile.
    void runModalLoop(const std::function<bool()>&, std::chrono::steady_clock::time_point) override;
    void endEventLoop() override {}
    // The user changes a field's text.
    void userEdit(const platform::ControlId& field, const std::string& text);
    // Enter or Esc given to the open message box.
    void keyToBox(char key);

    FakeServices services_;
    std::vector<std::unique_ptr<FakeWindow>> windows_;
    std::function<void()> whileWaiting_;
    // The message box open now, and the answer a key gave it.
    struct OpenBox {
        ShownMessage shown;
        std::optional<platform::MsgAnswer> byKey;
    };
    OpenBox* openBox_ = nullptr;
};

} // namespace dravelo::testing
