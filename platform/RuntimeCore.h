#pragma once
// The forms runtime's semantics, written once for every toolkit: the
// program sees a FormsRuntime; a toolkit gives the primitives of
// WindowToolkit.h and reports its user's input through the calls below.
//
// Where each rule of the runtime contract (tests/platform/contract) is kept:
//   RuntimeCoreWindows.cpp
//     a window loads once, before its first show; later shows bring it
//     to the front ............................. show, build
//     the close query, its cause, its refusal .. unload, closeRequested, queryClose
//     the end: every window goes, no event runs  endProgram, dispatch
//     the session's end: each window asked in load order, one question
//     at a time, a refusal asked afresh ........ querySessionEnd, sessionEnded
//   RuntimeCoreControls.cpp
//     properties by name, in twips or the window's own scale; self-sizing
//     controls .................................. property, setProperty, formProperty, place
//     Change after every change of a text ...... setText; textChanged (Input)
//   RuntimeCoreInput.cpp
//     LostFocus only within a window, before the click
//                                               .. focusMoved, runPendingLeaves
//     every press moves the focus first; a refused leave voids it
//                                               .. focusForPress, press
//     KeyPress first; then Enter and Esc to the default and cancel buttons
//                                               .. keyTyped, windowKey, accessKey
//   RuntimeCoreModal.cpp
//     while a message box, the input box or a service wait is open, no
//     window takes a press from any source, nor a change from outside;
//     boxes answer No once the program has ended
//                                               .. ModalPeriod, msgBox, inputBox,
//                                                  waitForService; the refusals ask
//                                                  held(): focusForPress, keyTyped,
//                                                  windowKey, accessKey, textChanged,
//                                                  closeRequested
//   RuntimeCoreServices.cpp
//     services inert once the program has ended  writeFile, firstMatch, launch, startJob
// A toolkit keeps what only it can do: where its events come from, how it
// holds its windows, a paste of several lines, the keypad's decimal key,
// its pixels.

#include "platform/DesignRules.h"
#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"
#include "platform/ServiceWait.h"
#include "platform/WindowToolkit.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dravelo::platform {

// The runtime's services besides its windows, as the system gives them.
class SystemServices : public Clock, public Regional, public FileSystem, public Launcher, public Printing {};

// The keys a window answers with its buttons.
enum class WindowKey { Enter, Escape };

// What becomes of a character typed into a field once its KeyPress has run.
enum class KeyOutcome {
    Spent,    // cancelled; or the windows are held; or the program or the
              // field went; or an Enter or Esc whose handler moved the focus
    Deliver,  // the field takes the (perhaps changed) character
    ToWindow, // Enter or Esc: the field may see it, then the window answers
              // it with its default or cancel button (windowKey)
};
WindowKey windowKeyOf(std::int16_t keyAscii);

// Once the program has ended every service is inert, so that a handler that
// a box interrupted (the session ending while the box was open) unwinds
// without acting: texts read empty, changes and focus do nothing, boxes
// answer at once with No (or OK) and the empty text, nothing is written,
// started or printed.
class RuntimeCore : public FormsRuntime {
public:
    RuntimeCore(const RuntimeCore&) = delete;
    RuntimeCore& operator=(const RuntimeCore&) = delete;

    // The program's handlers; null stops every event.
    void setEvents(FormEvents* events) { events_ = events; }
    bool ended() const { return ended_; }

    // WindowSystem
    void show(const std::string& form) override;
    void unload(const std::string& form) override;
    bool isLoaded(const std::string& form) const override;
    void endProgram() override;
    void setFormCaption(const std::string& form, const std::string& caption) override;
    float formProperty(const std::string& form, const std::string& name) const override;
    void setFormProperty(const std::string& form, const std::string& name, float value) override;
    std::vector<ControlId> controls(const std::string& form) const override;
    ControlKind kind(const ControlId& control) const override;
    double property(const ControlId& control, const std::string& name) const override;
    void setProperty(const ControlId& control, const std::string& name, double value) override;
    std::string text(const ControlId& control) const override;
    void setText(const ControlId& control, const std::string& text) override;
    void setCaption(const ControlId& control, const std::string& caption) override;
    void setFocus(const ControlId& control) override;
    ScreenSize screen() const override;

    // Dialogs
    MsgAnswer msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) override;
    std::string inputBox(const std::string& prompt, const std::string& title) override;

    // Clock, Regional, FileSystem, Launcher, Printing: the services'.
    std::string dateText() const override;
    std::string timeText() const override;
    NumberFormat numberFormat() const override;
    std::string writeFile(const std::string& path, const std::string& bytes) override;
    std::string firstMatch(const std::string& pattern) const override;
    bool launch(const std::string& program) override;
    std::unique_ptr<PrintJob> startJob(std::string& whyNot) override;

    // What the toolkit reports. Each call may run the program's handlers,
    // which may unload any window or end the program.

    // A close request of the window from outside the program: the close
    // box, the system menu, Alt+F4.
    void closeRequested(const std::string& form);
    // The focus went from one control to another. The leave this causes
    // runs in runPendingLeaves: at once, or (where the toolkit may not run
    // a handler inside its focus change) as soon as it may. True when a
    // leave now waits.
    bool focusMoved(const ControlId& from, const ControlId& to);
    // Runs the leaves waiting; false when one kept the focus from the
    // control it was moving to.
    bool runPendingLeaves();
    // A press of the control is coming (a mouse button down, an assistive
    // press): the focus moves there first, and the field being left runs
    // its leave. False when the press is void: the leave kept the focus,
    // the windows are held, or the program ended.
    bool focusForPress(const ControlId& control);
    // A press of a control, whoever made it: the focus first, then a
    // button's Click.
    void press(const ControlId& control);
    // A character typed into a field: its KeyPress, which may change or
    // cancel it; Enter and Esc then go to the default and cancel buttons,
    // unless the handler moved the focus.
    KeyOutcome keyTyped(const ControlId& field, std::int16_t& keyAscii);
    // Enter or Esc outside a field: a focused button takes Enter, else the
    // default button; the cancel button takes Esc. False when no button does.
    bool windowKey(const std::string& form, WindowKey key);
    // Alt and a letter: presses the button whose caption marks it; false
    // when none does.
    bool accessKey(const std::string& form, char32_t letter);
    // A field's text changed, by the user or the program.
    void textChanged(const ControlId& field);
    // The session is ending: the close query of every loaded window, in
    // load order, until one refuses. While a close query waits for its
    // answer, false without asking. An agreement holds until sessionEnded.
    bool querySessionEnd();
    // The session's end after a query: it ends (the program with it) or not.
    void sessionEnded(bool ending);

    // A message box, the input box or a service wait is open: the windows
    // are held, and no press, key, close request or change from outside
    // reaches them, whatever its source. The boxes themselves, and the
    // session's end, stay usable.
    bool held() const { return modalDepth_ > 0; }
    // Waits for a slow service in the toolkit's modal loop, the windows
    // held meanwhile: until done() is true, the deadline passes or the
    // program ends.
    ServiceWaitEnd waitForService(const std::function<bool()>& done, ServiceDeadline deadline);
    // waitForService, for the services that wait.
    ServiceWait serviceWait();

    const FormDesign& designOf(const std::string& form) const;
    // The control the focus goes to next by Tab, or none in a window
    // without a focusable control.
    std::optional<ControlId> nextInTabOrder(const std::string& form, bool backwards) const;

protected:
    // The toolkit and the services are the derived runtime's; they are only
    // used once it is built.
    RuntimeCore(std::vector<FormDesign> designs, WindowToolkit& toolkit, SystemServices& services);
    ~RuntimeCore() override = default;
    // Called first by the derived runtime's destructor: every window goes
    // while the toolkit is still there, and no event runs any more.
    void discardWindows();
    // The toolkit's window of a loaded window, or null.
    ToolkitWindow* toolkitWindow(const std::string& form) const;

    // One modal period: a box or a wait, also a toolkit's own wait. Nested
    // ones (the log-off question during a wait) count; the windows are held
    // from the first to the end of the last. Made before the box, so that
    // the box is not held.
    class ModalPeriod {
    public:
        explicit ModalPeriod(RuntimeCore& core);
        ~ModalPeriod();
        ModalPeriod(const ModalPeriod&) = delete;
        ModalPeriod& operator=(const ModalPeriod&) = delete;

    private:
        RuntimeCore& core_;
    };

private:
    struct LoadedControl {
        ControlDesign design;
        ControlValues values; // in the window's units, unrounded
        std::string keptText; // a field's text, given back when changed from outside while held
    };
    struct LoadedWindow {
        const FormDesign* design = nullptr;
        ScaleUnits units;
        WindowPlace place;
        std::vector<LoadedControl> controls;
        ToolkitWindow* toolkit = nullptr; // the toolkit's, until destroyWindow
    };
    struct Found {
        LoadedWindow* window;
        LoadedControl* control;
        ControlIndex index;
    };
    struct PendingLeave {
        ControlId field;
        ControlId target;
    };

    // Raises the window's close query; true when no handler cancelled (or
    // the program ended meanwhile). The window is not unloaded by it.
    bool queryClose(const std::string& form, UnloadMode mode);
    LoadedWindow* window(const std::string& form) const;
    LoadedWindow& loadedWindow(const std::string& form) const;
    Found find(const ControlId& id) const;
    std::optional<Found> lookUp(const ControlId& id) const;
    void build(LoadedWindow& window);
    // Puts the control where its values say; a self-sizing one takes the
    // size it fits into.
    void place(LoadedWindow& window, ControlIndex index);
    void applyFit(LoadedWindow& window, LoadedControl& control, const ControlBox& box,
                  const std::optional<TwipsSize>& fitted);
    ControlBox boxOf(const LoadedWindow& window, const LoadedControl& control) const;
    void removeWindow(const std::string& form);
    // Moves the focus to the control and runs the leave this causes; true
    // when the control has the focus afterwards.
    bool moveFocus(const ControlId& to, FocusCause cause);
    // The control holding the window's focus.
    std::optional<ControlId> focusedControl(const std::string& form) const;
    bool hasFocus(const ControlId& control) const;
    void click(const ControlId& button);
    // A field changed while the windows are held, from outside (assistive
    // technology, a drop): its text is given back.
    void giveBackText(const ControlId& field);

    void holdWindows(bool held);
    // Calls the program's handlers unless the program has ended.
    template <class Call>
    void dispatch(Call call)
    {
        if (!ended_ && events_)
            call(*events_);
    }

    std::vector<FormDesign> designs_;
    WindowToolkit& toolkit_;
    SystemServices& services_;
    FormEvents* events_ = nullptr;
    bool ended_ = false;
    std::map<std::string, std::unique_ptr<LoadedWindow>> windows_;
    std::vector<std::string> loadOrder_;
    std::deque<PendingLeave> pendingLeaves_;
    // The control the focus is moving to while a leave handler runs.
    std::optional<ControlId> leaveTarget_;
    // Close queries waiting for the program's answer.
    int closeQueries_ = 0;
    int modalDepth_ = 0;
    // The program changes a field's text: a change that goes through even
    // while the windows are held.
    bool programSetsText_ = false;
    // A held field's text is being given back: no change.
    bool givingBackText_ = false;
    // The session query under way, or the agreement to a session end until
    // its end, answers for the whole program when the system asks again.
    bool sessionQueryRunning_ = false;
    bool sessionAgreed_ = false;
};

} // namespace dravelo::platform
