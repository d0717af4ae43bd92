#pragma once
// The forms runtime on native Win32 controls: the runtime core over the
// system's windows, dialogs and message loop, with the dialog-style
// keyboard navigation of the forms in the loop, and the system's services.

#include "platform/FormDesign.h"
#include "platform/RuntimeCore.h"
#include "platform/WindowToolkit.h"
#include "platform/win32/ServiceWait.h"
#include "platform/win32/Win32Services.h"

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace dravelo::platform::win32 {

class Win32FormWindow;
struct Win32Control;

class Win32Runtime : private WindowToolkit, public RuntimeCore {
public:
    // Private message a window posts to itself to run a field's leave that
    // no input path has run yet.
    static constexpr UINT kRunPendingLeave = WM_APP + 1;

    explicit Win32Runtime(std::vector<FormDesign> designs, HINSTANCE instance = GetModuleHandleW(nullptr));
    ~Win32Runtime() override;
    Win32Runtime(const Win32Runtime&) = delete;
    Win32Runtime& operator=(const Win32Runtime&) = delete;

    // Runs the message loop until the program ends; the exit status.
    int runMessageLoop();
    // Handles every message waiting now (for tests); false once the program
    // has ended.
    bool pumpMessages();
    // Handles the messages waiting now, the user's input to disabled
    // windows dropped, as a box or a wait does; false once the program has
    // ended.
    bool pumpHeldInput();
    // The windows are held: a modal period of the core, or a dialog of the
    // system's own (the printer's question of a file name).
    bool holdingInput() const;
    // The wait of the services on the system's own calls (ServiceWait.h):
    // a modal period of the core, the windows painting with their input
    // held, woken by the call's event.
    ServiceWaitEnd waitForService(HANDLE done, ServiceDeadline& deadline, DWORD askingThread);
    using RuntimeCore::waitForService;

    // For tests: the window and a control's window, or null.
    HWND window(const std::string& form) const;
    HWND control(const ControlId& control) const;

    // Called by the windows.
    void commandFrom(Win32FormWindow& window, Win32Control& control, WORD notification);
    // Subclassed controls hand their messages here first.
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void registerControl(HWND hwnd, Win32FormWindow& window);

private:
    friend class HandlerScope;
    struct Found {
        Win32FormWindow* window;
        Win32Control* control;
    };

    // WindowToolkit
    ToolkitWindow& createWindow(const FormDesign& design, const Look& look, const WindowPlace& place) override;
    void destroyWindow(ToolkitWindow& window) override;
    ScreenSize screenSize() const override;
    MsgAnswer askUser(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) override;
    std::string askText(const std::string& prompt, const std::string& title) override;
    void runModalLoop(const std::function<bool()>& finished, std::chrono::steady_clock::time_point deadline) override;
    void endEventLoop() override;

    Win32FormWindow* formWindow(const std::string& form) const;
    Found controlOf(HWND hwnd) const;
    // Frees unloaded windows once no handler of theirs is running.
    void collectUnloaded();
    HWND activeFormWindow() const;

    // The modal loop of a wait: until finished() is true or the deadline
    // (moved on while the call asks its own question) has passed.
    void waitLoop(const std::function<bool()>& finished, HANDLE done, ServiceDeadline& deadline,
                  DWORD askingThread);

    // The dialog-style keyboard navigation of the forms (Win32Keyboard.cpp):
    // true when the message was handled and is not to be translated or
    // dispatched.
    bool preTranslate(const MSG& message);

    // The controls' own messages (Win32ControlEvents.cpp).
    LRESULT controlMessage(Win32FormWindow& window, Win32Control& control, UINT message, WPARAM wParam,
                           LPARAM lParam);
    LRESULT fieldCharacter(Win32FormWindow& window, Win32Control& field, WPARAM wParam, LPARAM lParam);
    // A paste of several lines into a field: what comes before the first
    // line break; false when the text has none and the field pastes it.
    bool pasteFirstLine(HWND field);

    HINSTANCE instance_;
    Win32Services services_;
    // The loaded windows, and unloaded ones, hidden, until no handler of
    // theirs runs any more.
    std::vector<std::unique_ptr<Win32FormWindow>> windows_;
    std::vector<std::unique_ptr<Win32FormWindow>> unloaded_;
    std::unordered_map<HWND, Win32FormWindow*> controlWindows_;
    int handlerDepth_ = 0;
    // The next character of a field comes from the keypad's decimal key.
    bool keypadDecimal_ = false;
    // A high surrogate typed into a field, waiting for its low half.
    wchar_t pendingHighSurrogate_ = 0;
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
