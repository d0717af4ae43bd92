#pragma once
// The forms runtime on native Win32 controls: windows built from their
// designs, control events with the program's semantics, dialog-style keyboard
// navigation in the message loop, standard dialogs, regional formats, files,
// programs and the printer. Once the program has ended every service is
// inert, so that a handler interrupted in a modal box unwinds harmlessly.

#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"
#include "platform/win32/Win32Printer.h"
#include "platform/win32/WindowsServices.h"

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace dravelo::platform::win32 {

class Win32FormWindow;
struct Win32Control;

class Win32Runtime : public FormsRuntime {
public:
    // Private message a window posts to itself to run a field's leave that
    // no input path has run yet.
    static constexpr UINT kRunPendingLeave = WM_APP + 1;

    explicit Win32Runtime(std::vector<FormDesign> designs, HINSTANCE instance = GetModuleHandleW(nullptr));
    ~Win32Runtime() override;
    Win32Runtime(const Win32Runtime&) = delete;
    Win32Runtime& operator=(const Win32Runtime&) = delete;

    // The program's handlers; null stops every event.
    void setEvents(FormEvents* events) { events_ = events; }
    bool ended() const { return ended_; }

    // Raises the window's close query; true when no handler cancelled (or
    // the program ended meanwhile). The window is not unloaded by it.
    bool queryClose(const std::string& form, UnloadMode mode);
    // Loaded windows in the order they were loaded.
    std::vector<std::string> loadedForms() const { return loadOrder_; }

    // Runs the message loop until the program ends; the exit status.
    int runMessageLoop();
    // Handles every message waiting now (for tests); false once the program
    // has ended.
    bool pumpMessages();
    // The dialog-style keyboard navigation of the forms: true when the
    // message was handled and is not to be translated or dispatched.
    bool preTranslate(const MSG& message);

    // For tests: the window and a control's window, or null.
    HWND window(const std::string& form) const;
    HWND control(const ControlId& control) const;

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

    // Clock, Regional
    std::string dateText() const override;
    std::string timeText() const override;
    NumberFormat numberFormat() const override;

    // FileSystem, Launcher, Printing
    std::string writeFile(const std::string& path, const std::string& bytes) override;
    std::string firstMatch(const std::string& pattern) const override;
    bool launch(const std::string& program) override;
    std::unique_ptr<PrintJob> startJob(std::string& whyNot) override;

    // Called by the windows.
    void commandFrom(Win32FormWindow& window, Win32Control& control, WORD notification);
    void closeRequested(const std::string& form);
    // WM_QUERYENDSESSION and WM_ENDSESSION of any window.
    BOOL sessionMayEnd();
    // The wait for the spooler or a folder: the windows disabled as under a
    // modal box and still painting, with the wait cursor, until the event
    // is set, the deadline passes or the program ends.
    ServiceWaitEnd waitForService(HANDLE done, ServiceDeadline& deadline, DWORD askingThread);
    // Handles the messages waiting now, the user's input to disabled
    // windows dropped; false once the program has ended.
    bool pumpHeldInput();
    void sessionEnded(bool ending);
    void runPendingLeave();
    // Subclassed controls hand their messages here first.
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void registerControl(HWND hwnd, Win32FormWindow& window);

private:
    struct Found {
        Win32FormWindow* window;
        Win32Control* control;
    };
    Win32FormWindow* formWindow(const std::string& form) const;
    Win32FormWindow& loadedWindow(const std::string& form) const;
    Found findControl(const ControlId& id) const;
    Found controlOf(HWND hwnd) const;
    const FormDesign& designOf(const std::string& form) const;
    void destroyWindow(const std::string& form);
    // Frees unloaded windows once no handler of theirs is running.
    void collectUnloaded();
    HWND activeFormWindow() const;
    // Calls the program's handlers unless the program has ended.
    template <class Call>
    void dispatch(Call call)
    {
        if (!ended_ && events_)
            call(*events_);
    }

    // Focus moves and the field's leave (Win32ControlEvents.cpp).
    LRESULT controlMessage(Win32FormWindow& window, Win32Control& control, UINT message, WPARAM wParam,
                           LPARAM lParam);
    void focusMoved(HWND from, HWND to);
    // Moves the focus to the control, runs the leave it causes; true when
    // the control has the focus afterwards.
    bool moveFocus(HWND to);
    HWND focusOf(const Win32FormWindow& window) const;
    LRESULT fieldCharacter(Win32FormWindow& window, Win32Control& field, WPARAM wParam, LPARAM lParam);
    void click(Win32FormWindow& window, Win32Control& button);
    // Any press but the mouse's: the focus moves to the button first, and
    // the click follows only if it stays there.
    void press(Win32FormWindow& window, Win32Control& button);
    // A paste of several lines into a field: what comes before the first
    // line break; false when the text has none and the field pastes it.
    bool pasteFirstLine(HWND field);

    std::vector<FormDesign> designs_;
    HINSTANCE instance_;
    FormEvents* events_ = nullptr;
    bool ended_ = false;
    std::map<std::string, std::unique_ptr<Win32FormWindow>> windows_;
    std::vector<std::string> loadOrder_;
    // Unloaded windows, hidden, until no handler of theirs runs any more.
    std::vector<std::unique_ptr<Win32FormWindow>> unloaded_;
    std::unordered_map<HWND, Win32FormWindow*> controlWindows_;
    int handlerDepth_ = 0;
    friend class HandlerScope;

    // The leaves of fields whose focus moved, not yet run.
    struct PendingLeave {
        std::string form;
        ControlId field;
        HWND target;
    };
    std::deque<PendingLeave> pendingLeaves_;
    // The control the focus is moving to while a leave handler runs.
    HWND leaveTarget_ = nullptr;
    // The next character of a field comes from the keypad's decimal key.
    bool keypadDecimal_ = false;
    // A high surrogate typed into a field, waiting for its low half.
    wchar_t pendingHighSurrogate_ = 0;
    // The session query under way, or the agreement to a session end until
    // its end message, answers for the whole program when the system asks
    // its other windows.
    bool sessionQueryRunning_ = false;
    bool sessionAgreed_ = false;
    // Close queries waiting for the program's answer.
    int closeQueries_ = 0;

    WindowsFileSystem files_;
    WindowsLauncher launcher_;
};

// Counts the runtime's handlers on the stack, so that unloaded windows are
// freed only when none of their code is running.
class HandlerScope {
public:
    explicit HandlerScope(Win32Runtime& runtime) : runtime_(runtime) { ++runtime_.handlerDepth_; }
    ~HandlerScope() { --runtime_.handlerDepth_; }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    Win32Runtime& runtime_;
};

} // namespace dravelo::platform::win32
