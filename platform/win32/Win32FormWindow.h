#pragma once
// One top-level window built from its design: its controls as child windows
// (labels, fields, buttons, the picture box) or drawn by the window itself
// (lines, images), and the numeric properties the program reads and writes
// by name, kept unrounded in the window's units and rounded to pixels only
// when applied.

#include "platform/DesignRules.h"
#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"
#include "platform/win32/Win32Twips.h"

#include <windows.h>

#include <string>
#include <vector>

namespace dravelo::platform::win32 {

class Win32Runtime;

struct Win32Control {
    ControlDesign design;
    HWND hwnd = nullptr; // null for lines and images, which the window draws
    ControlValues values; // in the window's units, unrounded
    HFONT font = nullptr;        // owned
    HBRUSH background = nullptr; // owned
    COLORREF backColour = 0;
    COLORREF foreColour = 0;
    RECT drawn{}; // lines and images: the pixels the window draws them on
    HBITMAP bitmap = nullptr; // images: owned
    HICON icon = nullptr;     // picture boxes: owned
    WNDPROC originalProc = nullptr; // focusable controls are subclassed

    bool focusable() const;
    bool isField() const { return design.cls == ControlClass::TextBox; }
    bool isButton() const { return design.cls == ControlClass::CommandButton; }
};

class Win32FormWindow {
public:
    static constexpr const wchar_t* kClassName = L"DraveloForm";
    // Registers the window classes of the forms and of the picture box.
    static void registerClasses(HINSTANCE instance);

    Win32FormWindow(Win32Runtime& runtime, const FormDesign& design, HINSTANCE instance);
    ~Win32FormWindow();
    Win32FormWindow(const Win32FormWindow&) = delete;
    Win32FormWindow& operator=(const Win32FormWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const std::string& formName() const { return design_.name; }
    const FormDesign& design() const { return design_; }

    std::vector<Win32Control>& formControls() { return controls_; }
    const std::vector<Win32Control>& formControls() const { return controls_; }
    Win32Control* find(const ControlId& id);
    const Win32Control* find(const ControlId& id) const;
    Win32Control* controlOf(HWND child);
    ControlId idOf(const Win32Control& control) const;

    double property(const Win32Control& control, const std::string& name) const;
    void setProperty(Win32Control& control, const std::string& name, double value);
    void setCaption(Win32Control& control, const std::string& caption);

    // Normal-state outer geometry in twips: "Left", "Top", "Width", "Height".
    float formProperty(const std::string& name) const;
    void setFormProperty(const std::string& name, float value);

    // Tab order: the focusable controls by tab index.
    HWND firstInTabOrder() const;
    HWND nextInTabOrder(HWND from, bool backwards) const;
    // The button whose caption has this access key, or null.
    Win32Control* buttonWithAccessKey(wchar_t key);
    Win32Control* defaultButton() { return defaultButton_; }
    Win32Control* cancelButton() { return cancelButton_; }
    // Redraws the default button's frame after a focus move.
    void refreshDefaultButton();

    // The control that has, or gets back on activation, the focus.
    HWND focusControl() const { return focus_; }
    void rememberFocus(HWND control) { focus_ = control; }

    // Shows the window as designed (maximized or normal) and activates it.
    void showAsDesigned();
    void bringToFront();
    void hide();

private:
    // Posted under Wine when a maximized window is restored.
    static constexpr UINT kApplyRestoredRect = WM_APP + 2;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void build(HINSTANCE instance);
    void createControl(Win32Control& control, HINSTANCE instance, int id);
    void applyFont(Win32Control& control);
    // The control's colours and background brush, from the design and the
    // desktop's scheme.
    void applyColours(Win32Control& control);
    // Rebuilds every colour from the desktop's scheme, and repaints.
    void followColourScheme();
    void applyGeometry(Win32Control& control);
    // The control's box in pixels; a self-sizing one is fitted to its
    // content, and its width and height follow.
    RECT layOut(Win32Control& control);
    void applyNormalGeometry();
    void showMaximized();
    // Gives the system the rectangle a maximized or minimized window is
    // restored to.
    void setNormalPlacement(WINDOWPLACEMENT& placement, const RECT& normal);
    // Puts a restored window on its normal rectangle.
    void applyRestoredRect();
    // The monitor the window is on, with its work area.
    MONITORINFO monitorInfo() const;
    // Where the work area begins on the window's monitor.
    POINT workAreaOrigin() const;
    RECT maximizedRect() const;
    RECT normalClientRect() const;
    // A line's end points in pixels.
    POINT lineStart(const Win32Control& line) const;
    POINT lineEnd(const Win32Control& line) const;
    int pixelsAcross(double units) const;
    int pixelsDown(double units) const;
    void paint(HDC dc);
    LRESULT controlColours(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    void drawButton(const DRAWITEMSTRUCT& item);

    Win32Runtime& runtime_;
    FormDesign design_;
    TwipsPerPixel twipsPerPixel_;
    ScaleUnits units_;
    HWND hwnd_ = nullptr;
    HBRUSH background_ = nullptr;
    std::vector<Win32Control> controls_;
    Win32Control* defaultButton_ = nullptr;
    Win32Control* cancelButton_ = nullptr;
    HWND focus_ = nullptr;
    TwipsRect outer_; // normal-state outer geometry
    bool positioned_ = false; // else the desktop places the window
    RECT normalPlacement_{}; // the normal rectangle the system was given
};

} // namespace dravelo::platform::win32
