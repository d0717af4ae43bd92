#pragma once
// What a windowing toolkit gives the runtime core: windows and controls
// built from the designs, and a few plain operations on them. Every rule the
// program relies on (the life cycle, the property routing, the press path,
// the close query, the modal state) is the core's (RuntimeCore.h); a toolkit
// does only what its toolkit alone can do, and tells the core what its user
// did through the core's input calls.
//
// Geometry is in twips; the toolkit rounds it to its own pixels. A control
// is named by its position in its window's design.

#include "platform/DesignRules.h"
#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace dravelo::platform {

// A control's position in its window's design (FormDesign::controls).
using ControlIndex = std::size_t;

// Colours and font of a window or a control, as the design rules resolve
// them. A system colour follows the desktop's scheme.
struct Look {
    Color background;
    Color foreground;
    FontSpec font;
};

// A control's box in twips from the top left of its window's client area.
// A line's box holds its end points, as ControlValues does: X1, Y1 in left
// and top, X2, Y2 in width and height.
struct ControlBox {
    double left = 0, top = 0, width = 0, height = 0;
};

struct TwipsSize {
    double width = 0, height = 0;
};

// Where a window stands when neither maximized nor minimized: its outer
// geometry, and whether the program placed it (else the desktop does).
struct WindowPlace {
    TwipsRect outer;
    bool positioned = false;
};

// Why a control is given the focus.
enum class FocusCause {
    Program, // the program's setFocus: a window that is not active takes it when next activated
    Press,   // a press of the control, whoever made it: the focus moves there now
};

// One window of the toolkit, which owns it. Its controls are built once,
// in design order.
class ToolkitWindow {
public:
    // Builds the next control of the design in its box. A control that
    // sizes itself to its content (autoSize) answers the size it took.
    virtual std::optional<TwipsSize> addControl(const ControlDesign& design, const Look& look,
                                                const ControlBox& box) = 0;
    // Every control is built: the toolkit links them (tab order by
    // tabOrderOf, the label naming each field for screen readers).
    virtual void controlsAdded() = 0;

    // Moves and sizes a control; answers as addControl does.
    virtual std::optional<TwipsSize> placeControl(ControlIndex control, const ControlBox& box) = 0;
    virtual void setControlFont(ControlIndex control, const FontSpec& font) = 0;
    // A field's text.
    virtual std::string controlText(ControlIndex control) const = 0;
    // A field's text, or a label's or a button's caption. A field reports
    // the change through RuntimeCore::textChanged, as it reports the user's.
    virtual void setControlText(ControlIndex control, const std::string& text) = 0;
    // Gives the control its window's focus. The move is reported through
    // RuntimeCore::focusMoved before this returns, or (FocusCause::Program,
    // in a window that is not active) the control gets the focus when its
    // window is next activated.
    virtual void focusControl(ControlIndex control, FocusCause cause) = 0;
    // The control that holds the window's focus, or gets it back when the
    // window is activated.
    virtual std::optional<ControlIndex> focusedControl() const = 0;

    virtual void setCaption(const std::string& caption) = 0;
    // The normal-state geometry; a maximized or minimized window takes it
    // when it is restored.
    virtual void place(const WindowPlace& place) = 0;
    // The first show: maximized or normal as designed, in front and active.
    virtual void showAsDesigned() = 0;
    // Shows a loaded window again: restored if minimized, in front, active.
    virtual void bringToFront() = 0;
    // Holds the window while a box or a wait is open (the core's modal
    // state): disabled, it takes no input from any source (the mouse, the
    // keys, an accessibility action, a drop); enabled again, its focus is
    // where it was. A toolkit whose boxes and waits already disable the
    // other windows the system's own way may leave this to them.
    virtual void setEnabled(bool enabled) = 0;

protected:
    // Freed by its toolkit: WindowToolkit::destroyWindow.
    virtual ~ToolkitWindow() = default;
};

// The toolkit itself: its windows, its screen, its standard dialogs and its
// event loop.
class WindowToolkit {
public:
    virtual ~WindowToolkit() = default;

    // Builds the window, hidden, with its caption, border, look and normal
    // place; its controls follow through ToolkitWindow::addControl.
    virtual ToolkitWindow& createWindow(const FormDesign& design, const Look& look, const WindowPlace& place) = 0;
    // The window goes from the screen at once; the toolkit frees it once
    // none of its own code for the window is running any more (this may be
    // called inside one of the window's own handlers).
    virtual void destroyWindow(ToolkitWindow& window) = 0;
    // The primary screen in twips.
    virtual ScreenSize screenSize() const = 0;

    // An application-modal message box titled with the application title;
    // waits for the user's answer. The core holds the program's windows
    // before it asks (setEnabled), so the box itself stays usable. A box closed without a choice answers
    // the button that dismisses it: OK, or No.
    virtual MsgAnswer askUser(const std::string& text, MsgButtons buttons, MsgIcon icon,
                              MsgDefault defaultButton) = 0;
    // The modal input box: the typed text on OK, the empty text on Cancel.
    // An empty title shows the application title.
    virtual std::string askText(const std::string& prompt, const std::string& title) = 0;

    // Runs the event loop while the program waits for a slow service: the
    // windows keep painting, the session manager gets its answer, the
    // pointer shows the wait. Returns when finished() is true (looked at
    // often), the deadline has passed, or the event loop is ended.
    virtual void runModalLoop(const std::function<bool()>& finished,
                              std::chrono::steady_clock::time_point deadline) = 0;
    // The program has ended: ends the running event loop, and any box still
    // open inside a handler.
    virtual void endEventLoop() = 0;
};

} // namespace dravelo::platform
