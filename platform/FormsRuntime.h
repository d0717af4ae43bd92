#pragma once
// The forms runtime: every service the program's windows rely on, behind
// plain interfaces so that the logic in app/, calc/, forms/, report/ and
// about/ builds and runs without a windowing toolkit.
//
// All texts are UTF-8. All geometry is in twips (1/1440 inch) as float,
// except on a window with a user-defined scale, whose control values are in
// that scale's units.

#include "platform/NumberText.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dravelo::platform {

// A control of a window: window name, control name and, for a member of a
// control array, its index (-1 otherwise).
struct ControlId {
    std::string form;
    std::string name;
    int index = -1;
    bool operator==(const ControlId&) const = default;
};

// Only these three cases matter to the screen scaling.
enum class ControlKind { Line, Image, Other };

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Exclamation, Question };
enum class MsgDefault { First, Second };
enum class MsgAnswer { Ok, Yes, No };

// Reason given to Form_QueryUnload.
enum class UnloadMode : std::int16_t {
    FormControlMenu = 0, // close box, system menu, Alt+F4
    FormCode = 1,        // unload requested by the program
    AppWindows = 2,      // the session is ending (log-off, shut-down)
    TaskManager = 3,
};

// Value of a VB-style boolean set by a handler (Cancel = True).
inline constexpr std::int16_t kTrue = -1;

struct ScreenSize {
    float width = 0;  // twips
    float height = 0; // twips
};

// Handlers of the program, called by the runtime on the user-interface
// thread, one at a time.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    // After the window's design is built, before it is shown.
    virtual void load(const std::string& form) = 0;
    virtual void click(const ControlId& control) = 0;
    // For every character key typed in a text field; keyAscii by reference.
    virtual void keyPress(const ControlId& control, std::int16_t& keyAscii) = 0;
    // After every change of a text field's text, also one made by the program.
    virtual void change(const ControlId& control) = 0;
    // When the focus moves from the field to another control of its window.
    virtual void lostFocus(const ControlId& control) = 0;
    // Any close request of the window; set cancel to kTrue to keep it.
    virtual void queryUnload(const std::string& form, std::int16_t& cancel, UnloadMode mode) = 0;
};

// Window life cycle, controls and the screen.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Loads the window on first use (design, then FormEvents::load), then
    // shows it modeless without owner; a loaded window is brought to the front.
    virtual void show(const std::string& form) = 0;
    // Raises the window's close query with UnloadMode::FormCode; destroys the
    // window unless the handler cancels. Returns without error when refused.
    virtual void unload(const std::string& form) = 0;
    virtual bool isLoaded(const std::string& form) const = 0;
    // Every window goes at once; no further event of any window runs.
    virtual void endProgram() = 0;

    virtual void setFormCaption(const std::string& form, const std::string& caption) = 0;
    // A window's normal-state outer geometry: "Left", "Top", "Width", "Height".
    virtual float formProperty(const std::string& form, const std::string& name) const = 0;
    virtual void setFormProperty(const std::string& form, const std::string& name, float value) = 0;

    // Controls of a window in creation order, each array member on its own.
    virtual std::vector<ControlId> controls(const std::string& form) const = 0;
    virtual ControlKind kind(const ControlId& control) const = 0;
    // Numeric properties by name: "Left", "Top", "Width", "Height",
    // "FontSize", "X1", "Y1", "X2", "Y2".
    virtual double property(const ControlId& control, const std::string& name) const = 0;
    virtual void setProperty(const ControlId& control, const std::string& name, double value) = 0;

    virtual std::string text(const ControlId& control) const = 0;
    virtual void setText(const ControlId& control, const std::string& text) = 0;
    virtual void setCaption(const ControlId& control, const std::string& caption) = 0;
    virtual void setFocus(const ControlId& control) = 0;

    virtual ScreenSize screen() const = 0;
};

// Standard dialogs. Every box carries the application title in its title bar.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Application-modal; returns the button pressed.
    virtual MsgAnswer msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                             MsgDefault defaultButton = MsgDefault::First) = 0;
    // Modal; the typed text on OK, the empty text on Cancel.
    virtual std::string inputBox(const std::string& prompt, const std::string& title) = 0;
};

// Current date and time as text, in the user's regional formats.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string dateText() const = 0; // short date
    virtual std::string timeText() const = 0; // hours, minutes, seconds; no zone
};

// The user's regional number settings.
class Regional {
public:
    virtual ~Regional() = default;
    virtual NumberFormat numberFormat() const = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Creates or replaces the file with exactly these bytes, atomically: on
    // failure an earlier file of that name is left as it was. Returns the
    // empty text on success, otherwise the reason, for the user.
    virtual std::string writeFile(const std::string& path, const std::string& bytes) = 0;
    // Directory listing used as a file-existence test: the name of the first
    // ordinary file matching the pattern, or the empty text.
    virtual std::string firstMatch(const std::string& pattern) const = 0;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the program without waiting, in a normal window that gets the
    // focus. False when it cannot be found or started.
    virtual bool launch(const std::string& program) = 0;
};

// One document on the system's default printer. Positions in twips from the
// top left of the printable area.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual void setCurrentX(float twips) = 0;
    virtual void setCurrentY(float twips) = 0;
    virtual float currentX() const = 0;
    virtual float currentY() const = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual float averageCharWidth() const = 0;
    virtual float lineHeight() const = 0;
    // Draws the text with the top of its line at the current y, from the
    // current x; x moves on by the text's width.
    virtual void printText(const std::string& text) = 0;
    // Sends the page. Returns the empty text on success, otherwise the reason.
    virtual std::string endDoc() = 0;
    // After a successful end: what the user must still know, or the empty
    // text (a printer off line keeps the document in its queue).
    virtual std::string notice() const { return {}; }
};

class Printing {
public:
    virtual ~Printing() = default;
    // A new document on the default printer, or null with the reason set
    // when there is none to print on; null with the empty reason when the
    // user cancelled the printer's own question (a file name to print to).
    virtual std::unique_ptr<PrintJob> startJob(std::string& whyNot) = 0;
};

// All the runtime's services together.
class FormsRuntime : public WindowSystem,
                     public Dialogs,
                     public Clock,
                     public Regional,
                     public FileSystem,
                     public Launcher,
                     public Printing {};

} // namespace dravelo::platform
