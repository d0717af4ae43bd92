#pragma once
// One top-level window built from its design: its controls as child windows
// (labels, fields, buttons, the picture box) or drawn by the window itself
// (lines, images); the toolkit's primitives of one window (WindowToolkit.h),
// geometry rounded to pixels only when applied.

#include "platform/DesignRules.h"
#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"
#include "platform/WindowToolkit.h"
#include "platform/win32/Win32Twips.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace dravelo::platform::win32 {

class Win32Runtime;

struct Win32Control {
    ControlDesign design;
    Look look;
    HWND hwnd = nullptr; // null for lines and images, which the window draws
    ControlBox box;      // in twips, as last placed
    HFONT font = nullptr;        // owned
    HBRUSH background = nullptr; // owned
    COLORREF backColour = 0;
    COLORREF foreColour = 0;
    RECT drawn{}; // lines and images: the pixels the window draws them on
    HBITMAP bitmap = nullptr; // images: owned
    HICON icon = nullptr;     // picture boxes: owned
    WNDPROC originalProc = nullptr; // focusable controls are subclassed

    bool focusable() const { return takesFocus(design.cls); }
    bool isField() const { return design.cls == ControlClass::TextBox; }
    bool isButton() const { return design.cls == ControlClass::CommandButton; }
};

class Win32FormWindow : public ToolkitWindow {
public:
    static constexpr const wchar_t* kClassName = L"DraveloForm";
    // Registers the window classes of the forms and of the picture box.
    static void registerClasses(HINSTANCE instance);

    Win32FormWindow(Win32Runtime& runtime, const FormDesign& design, const Look& look, const WindowPlace& place,
                    HINSTANCE instance);
    ~Win32FormWindow() override;
    Win32FormWindow(const Win32FormWindow&) = delete;
    Win32FormWindow& operator=(const Win32FormWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const std::string& formName() const { return design_.name; }

    const std::vector<Win32Control>& formControls() const { return controls_; }
    const Win32Control* find(const ControlId& id) const;
    Win32Control* controlOf(HWND child);
    ControlId idOf(const Win32Control& control) const;

    // Redraws the default button's frame after a focus move.
    void refreshDefaultButton();
    // The control that gets the focus back when the window is activated.
    void rememberFocus(HWND control) { focus_ = control; }
    // Unloaded: hidden, and telling the runtime nothing more until it is
    // freed.
    void retire();

    // ToolkitWindow
    std::optional<TwipsSize> addControl(const ControlDesign& design, const Look& look, const ControlBox& box) override;
    void controlsAdded() override;
    std::optional<TwipsSize> placeControl(ControlIndex control, const ControlBox& box) override;
    void setControlFont(ControlIndex control, const FontSpec& font) override;
    std::string controlText(ControlIndex control) const override;
    void setControlText(ControlIndex control, const std::string& text) override;
    void focusControl(ControlIndex control, FocusCause cause) override;
    std::optional<ControlIndex> focusedControl() const override;
    void setCaption(const std::string& caption) override;
    void place(const WindowPlace& place) override;
    void showAsDesigned() override;
    void bringToFront() override;
    void setEnabled(bool enabled) override;

private:
    // Posted under Wine when a maximized window is restored.
    static constexpr UINT kApplyRestoredRect = WM_APP + 2;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void applyFont(Win32Control& control);
    // The control's colours and background brush, from its look and the
    // desktop's scheme.
    void applyColours(Win32Control& control);
    // Rebuilds every colour from the desktop's scheme, and repaints.
    void followColourScheme();
    std::optional<TwipsSize> applyGeometry(Win32Control& control);
    // The control's box in pixels; a self-sizing one is fitted to its
    // content, and fitted tells the size it took in twips.
    RECT layOut(const Win32Control& control, std::optional<TwipsSize>& fitted) const;
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
    int pixelsAcross(double twips) const;
    int pixelsDown(double twips) const;
    void paint(HDC dc);
    LRESULT controlColours(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    void drawButton(const DRAWITEMSTRUCT& item);

    Win32Runtime& runtime_;
    FormDesign design_;
    Look look_;
    HINSTANCE instance_;
    TwipsPerPixel twipsPerPixel_;
    HWND hwnd_ = nullptr;
    HBRUSH background_ = nullptr;
    std::vector<Win32Control> controls_; // in design order
    std::optional<ControlIndex> defaultButton_;
    HWND focus_ = nullptr;
    WindowPlace place_; // the normal-state geometry
    RECT normalPlacement_{}; // the normal rectangle the system was given
    bool retired_ = false;
};

} // namespace dravelo::platform::win32
