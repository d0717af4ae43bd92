#pragma once
// An in-memory forms runtime for the toolkit-free tests: windows built from
// the designs as property tables, scripted dialog answers, a fixed clock, a
// recorded file system, launcher and printer. Once the program has ended
// every service does nothing, as in the real runtimes.

#include "platform/DesignRules.h"
#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
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

class FakeRuntime : public platform::FormsRuntime {
public:
    explicit FakeRuntime(std::vector<platform::FormDesign> designs);

    // The program's handlers; set before the first show().
    void setEvents(platform::FormEvents* events) { events_ = events; }

    // Simulates the user: a close request from the window manager.
    void closeBox(const std::string& form);
    // Simulates the user typing: the field's text becomes text (Change runs).
    void type(const platform::ControlId& field, const std::string& text);
    // Simulates the user moving the focus (LostFocus of the old field runs).
    void userFocus(const platform::ControlId& control);
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
    // Alt and a letter: the button whose caption marks that letter.
    void accessKey(const std::string& form, char letter);
    // The Tab key: the focus moves to the next control in tab order.
    void tab(const std::string& form);
    // The desktop session ends: every loaded window is asked, in load
    // order; true, and the program ends, when none refuses. Refused
    // without asking while a close query waits for its answer.
    bool endSession();
    // The user brings a window to the front; no control event runs.
    void activate(const std::string& form) { front = form; }
    // A wait for a slow service: the windows are held, as under a box,
    // while whileWaiting runs.
    void waitForService(const std::function<void()>& whileWaiting);
    // A message box, the input box or a service wait holds the windows:
    // every user action above does nothing, but Enter and Esc answer the
    // message box that is open.
    bool held() const { return modalDepth_ > 0; }

    // WindowSystem
    void show(const std::string& form) override;
    void unload(const std::string& form) override;
    bool isLoaded(const std::string& form) const override;
    void endProgram() override;
    void setFormCaption(const std::string& form, const std::string& caption) override;
    float formProperty(const std::string& form, const std::string& name) const override;
    void setFormProperty(const std::string& form, const std::string& name, float value) override;
    std::vector<platform::ControlId> controls(const std::string& form) const override;
    platform::ControlKind kind(const platform::ControlId& control) const override;
    double property(const platform::ControlId& control, const std::string& name) const override;
    void setProperty(const platform::ControlId& control, const std::string& name, double value) override;
    std::string text(const platform::ControlId& control) const override;
    void setText(const platform::ControlId& control, const std::string& text) override;
    void setCaption(const platform::ControlId& control, const std::string& caption) override;
    void setFocus(const platform::ControlId& control) override;
    platform::ScreenSize screen() const override { return screen_; }

    // Dialogs: answers are taken from the scripts, else Ok / No / "".
    platform::MsgAnswer msgBox(const std::string& text, platform::MsgButtons buttons, platform::MsgIcon icon,
                               platform::MsgDefault defaultButton) override;
    std::string inputBox(const std::string& prompt, const std::string& title) override;

    // Clock, Regional
    std::string dateText() const override { return date_; }
    std::string timeText() const override { return time_; }
    platform::NumberFormat numberFormat() const override { return numberFormat_; }

    // FileSystem, Launcher
    std::string writeFile(const std::string& path, const std::string& bytes) override;
    std::string firstMatch(const std::string& pattern) const override;
    bool launch(const std::string& program) override;

    // Printing
    std::unique_ptr<platform::PrintJob> startJob(std::string& whyNot) override;

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
    bool ended = false;
    std::vector<std::string> loadOrder;           // forms in the order loaded
    platform::ControlId focus;                    // control holding the focus
    std::string front;                            // the active window

    struct Control {
        std::string form;
        platform::ControlDesign design;
        std::string text;
        platform::ControlValues values; // in the window's units
    };
    struct Form {
        platform::FormDesign design;
        std::string caption;
        platform::TwipsRect outer;
        std::vector<Control> controls;
    };
    // Self-sizing labels are measured as if every character were this wide
    // per point of font size.
    static constexpr double kTwipsPerCharacterPoint = 10;
    std::map<std::string, Form> loaded;

private:
    Control& find(const platform::ControlId& id);
    const Control& find(const platform::ControlId& id) const;
    void fitToContent(Control& control);
    bool raiseQueryUnload(const std::string& form, platform::UnloadMode mode);
    // One modal period: a box or a wait.
    class Hold {
    public:
        explicit Hold(FakeRuntime& runtime) : runtime_(runtime) { ++runtime_.modalDepth_; }
        ~Hold() { --runtime_.modalDepth_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        FakeRuntime& runtime_;
    };
    // Enter or Esc given to the open message box.
    void keyToBox(char key);

    std::vector<platform::FormDesign> designs_;
    platform::FormEvents* events_ = nullptr;
    // The control the focus is moving to while a leave handler runs.
    std::optional<platform::ControlId> leaveTarget_;
    int closeQueries_ = 0;
    int modalDepth_ = 0;
    // The message box open now, and the answer a key gave it.
    struct OpenBox {
        ShownMessage shown;
        std::optional<platform::MsgAnswer> byKey;
    };
    OpenBox* openBox_ = nullptr;
};

} // namespace dravelo::testing
