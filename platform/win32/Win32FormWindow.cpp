#include "platform/win32/Win32FormWindow.h"

#include "platform/win32/UnderWine.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Runtime.h"
#include "platform/win32/Win32Style.h"

#include <algorithm>
#include <stdexcept>

namespace dravelo::platform::win32 {

namespace {

// The program icon of the version resource script, when the executable has it.
constexpr const wchar_t* kProgramIcon = L"IDI_ICON1";

constexpr DWORD kSizableStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Title and close button only.
constexpr DWORD kFixedDialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFixedDialogExStyle = WS_EX_DLGMODALFRAME;

DWORD styleOf(const FormDesign& design)
{
    return design.border == BorderStyle::FixedDialog ? kFixedDialogStyle : kSizableStyle;
}

DWORD exStyleOf(const FormDesign& design)
{
    return design.border == BorderStyle::FixedDialog ? kFixedDialogExStyle : 0;
}

} // namespace

void Win32FormWindow::registerClasses(HINSTANCE instance)
{
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.style = CS_DBLCLKS;
    form.lpfnWndProc = windowProc;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hIcon = LoadIconW(instance, kProgramIcon);
    form.lpszClassName = kClassName;
    RegisterClassExW(&form);
    registerPictureBoxClass(instance);
}

Win32FormWindow::Win32FormWindow(Win32Runtime& runtime, const FormDesign& design, const Look& look,
                                 const WindowPlace& place, HINSTANCE instance)
    : runtime_(runtime), design_(design), look_(look), instance_(instance), twipsPerPixel_(screenTwipsPerPixel()),
      place_(place)
{
    background_ = CreateSolidBrush(toColorRef(look_.background));
    // The picture box keeps a pointer to its control: the controls never move.
    controls_.reserve(design_.controls.size());

    RECT outer = normalClientRect();
    AdjustWindowRectEx(&outer, styleOf(design_), FALSE, exStyleOf(design_));
    const int x = place_.positioned ? outer.left : CW_USEDEFAULT;
    const int y = place_.positioned ? outer.top : CW_USEDEFAULT;
    const std::wstring caption = toUtf16(design_.caption);
    hwnd_ = CreateWindowExW(exStyleOf(design_), kClassName, caption.c_str(), styleOf(design_), x, y,
                            outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (!hwnd_)
        throw std::runtime_error("cannot create the window " + design_.name);
}

Win32FormWindow::~Win32FormWindow()
{
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    for (Win32Control& c : controls_) {
        if (c.font)
            DeleteObject(c.font);
        if (c.background)
            DeleteObject(c.background);
        if (c.bitmap)
            DeleteObject(c.bitmap);
        if (c.icon)
            DestroyIcon(c.icon);
    }
    DeleteObject(background_);
}

std::optional<TwipsSize> Win32FormWindow::addControl(const ControlDesign& design, const Look& look,
                                                     const ControlBox& box)
{
    Win32Control& c = controls_.emplace_back();
    c.design = design;
    c.look = look;
    c.box = box;
    if (carriesFont(design.cls))
        c.font = createDesignFont(look.font.pointSize, look.font.bold);
    applyColours(c);
    if (design.cls == ControlClass::Image)
        c.bitmap = loadPictureBitmap(instance_, design.picture);
    if (design.cls == ControlClass::PictureBox)
        c.icon = loadPictureIcon(instance_, design.picture);
    if (c.design.isDefault && c.isButton())
        defaultButton_ = controls_.size() - 1;
    // Made where it belongs: each move of a child window costs a round trip
    // to the window server.
    std::optional<TwipsSize> fitted;
    const RECT placed = layOut(c, fitted);
    c.hwnd = createControlWindow(c, hwnd_, instance_, static_cast<int>(controls_.size()), placed);
    if (c.hwnd && c.font)
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
    if (!c.hwnd)
        return applyGeometry(c);
    if (c.focusable())
        runtime_.registerControl(c.hwnd, *this);
    return fitted;
}

void Win32FormWindow::controlsAdded()
{
    // A screen reader names a field by the label just before it.
    for (Win32Control& c : controls_)
        if (const Win32Control* label = find({design_.name, c.design.labelledBy}); label && c.hwnd && label->hwnd)
            SetWindowPos(c.hwnd, label->hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32FormWindow::applyColours(Win32Control& c)
{
    c.backColour = toColorRef(c.look.background);
    c.foreColour = toColorRef(c.look.foreground);
    if (c.design.cls == ControlClass::Line || c.design.cls == ControlClass::Image)
        return;
    if (c.background)
        DeleteObject(c.background);
    c.background = CreateSolidBrush(c.backColour);
}

void Win32FormWindow::followColourScheme()
{
    // The designs' system colours follow the user's scheme: a change of it
    // (a high-contrast switch, another theme) is taken as it comes.
    colourSchemeChanged();
    DeleteObject(background_);
    background_ = CreateSolidBrush(toColorRef(look_.background));
    for (Win32Control& c : controls_) {
        applyColours(c);
        if (c.hwnd)
            SendMessageW(c.hwnd, WM_SYSCOLORCHANGE, 0, 0);
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

const Win32Control* Win32FormWindow::find(const ControlId& id) const
{
    if (id.form != design_.name)
        return nullptr;
    for (const Win32Control& c : controls_)
        if (c.design.name == id.name && c.design.index == id.index)
            return &c;
    return nullptr;
}

Win32Control* Win32FormWindow::controlOf(HWND child)
{
    if (!child)
        return nullptr;
    for (Win32Control& c : controls_)
        if (c.hwnd == child)
            return &c;
    return nullptr;
}

ControlId Win32FormWindow::idOf(const Win32Control& control) const
{
    return {design_.name, control.design.name, control.design.index};
}

int Win32FormWindow::pixelsAcross(double twips) const
{
    return toPixels(twips, twipsPerPixel_.across);
}

int Win32FormWindow::pixelsDown(double twips) const
{
    return toPixels(twips, twipsPerPixel_.down);
}

std::optional<TwipsSize> Win32FormWindow::applyGeometry(Win32Control& c)
{
    if (c.design.cls == ControlClass::Line) {
        c.drawn = lineSpan(lineStart(c), lineEnd(c), c.design.lineWidth);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return std::nullopt;
    }
    std::optional<TwipsSize> fitted;
    const RECT box = layOut(c, fitted);
    if (!c.hwnd) {
        c.drawn = box;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return fitted;
    }
    MoveWindow(c.hwnd, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
    return fitted;
}

RECT Win32FormWindow::layOut(const Win32Control& c, std::optional<TwipsSize>& fitted) const
{
    const ControlBox& b = c.box;
    RECT box{pixelsAcross(b.left), pixelsDown(b.top), pixelsAcross(b.left) + std::max(0, pixelsAcross(b.width)),
             pixelsDown(b.top) + std::max(0, pixelsDown(b.height))};
    if (!c.design.autoSize || c.design.cls == ControlClass::Image)
        return box;
    const SIZE size = c.design.cls == ControlClass::Label ? fittedLabelSize(c, box.right - box.left)
                                                           : fittedPictureBoxSize(c);
    if (size.cx > 0 && size.cy > 0) {
        box.right = box.left + size.cx;
        box.bottom = box.top + size.cy;
        fitted = TwipsSize{size.cx * twipsPerPixel_.across, size.cy * twipsPerPixel_.down};
    }
    return box;
}

POINT Win32FormWindow::lineStart(const Win32Control& line) const
{
    return {pixelsAcross(line.box.left), pixelsDown(line.box.top)};
}

POINT Win32FormWindow::lineEnd(const Win32Control& line) const
{
    return {pixelsAcross(line.box.width), pixelsDown(line.box.height)};
}

std::optional<TwipsSize> Win32FormWindow::placeControl(ControlIndex control, const ControlBox& box)
{
    controls_[control].box = box;
    return applyGeometry(controls_[control]);
}

void Win32FormWindow::setControlFont(ControlIndex control, const FontSpec& font)
{
    Win32Control& c = controls_[control];
    c.look.font = font;
    applyFont(c);
}

void Win32FormWindow::applyFont(Win32Control& c)
{
    HFONT old = c.font;
    c.font = createDesignFont(c.look.font.pointSize, c.look.font.bold);
    if (c.hwnd)
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), TRUE);
    if (old)
        DeleteObject(old);
}

std::string Win32FormWindow::controlText(ControlIndex control) const
{
    HWND hwnd = controls_[control].hwnd;
    if (!hwnd)
        return {};
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return toUtf8(text);
}

void Win32FormWindow::setControlText(ControlIndex control, const std::string& text)
{
    Win32Control& c = controls_[control];
    if (!c.isField())
        c.design.caption = text; // measured and drawn from here
    // A field reports the change itself (EN_CHANGE), also for this.
    if (c.hwnd)
        SetWindowTextW(c.hwnd, toUtf16(text).c_str());
}

void Win32FormWindow::focusControl(ControlIndex control, FocusCause cause)
{
    HWND hwnd = controls_[control].hwnd;
    if (!hwnd)
        return;
    // The program's move in a window that is not active is taken when the
    // window is active again; a press's moves there now.
    if (cause == FocusCause::Press || GetActiveWindow() == hwnd_)
        SetFocus(hwnd);
    else
        rememberFocus(hwnd);
}

std::optional<ControlIndex> Win32FormWindow::focusedControl() const
{
    for (ControlIndex i = 0; i < controls_.size(); ++i)
        if (focus_ && controls_[i].hwnd == focus_)
            return i;
    return std::nullopt;
}

void Win32FormWindow::setCaption(const std::string& caption)
{
    SetWindowTextW(hwnd_, toUtf16(caption).c_str());
}

void Win32FormWindow::place(const WindowPlace& place)
{
    place_ = place;
    applyNormalGeometry();
}

void Win32FormWindow::setEnabled(bool)
{
    // The system's own modality holds the windows: every box and wait of
    // this runtime disables them (ThreadModality), and enables them again
    // just before the box goes, so that the activation stays with the
    // program. Disabled here as well, they would still be disabled then.
}

void Win32FormWindow::retire()
{
    retired_ = true;
    ShowWindow(hwnd_, SW_HIDE);
}

RECT Win32FormWindow::normalClientRect() const
{
    const TwipsRect client = clientRectOf(place_.outer);
    const int x = toPixels(client.left, twipsPerPixel_.across);
    const int y = toPixels(client.top, twipsPerPixel_.down);
    const int w = toPixels(client.width, twipsPerPixel_.across);
    const int h = toPixels(client.height, twipsPerPixel_.down);
    return {x, y, x + std::max(1, w), y + std::max(1, h)};
}

void Win32FormWindow::applyNormalGeometry()
{
    RECT outer = normalClientRect();
    AdjustWindowRectEx(&outer, styleOf(design_), FALSE, exStyleOf(design_));
    if (IsWindowVisible(hwnd_) && (IsZoomed(hwnd_) || IsIconic(hwnd_))) {
        // Taken when the window is restored, however that is done.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(hwnd_, &placement);
        RECT normal = placement.rcNormalPosition;
        if (place_.positioned) {
            const POINT origin = workAreaOrigin();
            OffsetRect(&normal, outer.left - origin.x - normal.left, outer.top - origin.y - normal.top);
        }
        normal.right = normal.left + (outer.right - outer.left);
        normal.bottom = normal.top + (outer.bottom - outer.top);
        setNormalPlacement(placement, normal);
        return;
    }
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!place_.positioned)
        flags |= SWP_NOMOVE;
    SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top, flags);
}

void Win32FormWindow::showAsDesigned()
{
    if (design_.state == WindowState::Maximized)
        showMaximized();
    else
        ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
}

void Win32FormWindow::showMaximized()
{
    // Under Wine an X window manager maps the window at the size it had while
    // hidden, then maximizes it: every control is painted at the normal size
    // and again at the full one. Sized to its maximized rectangle while still
    // hidden, the window is mapped at its final size and painted once.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd_, &placement);
    const RECT normal = placement.rcNormalPosition;
    const RECT maximized = maximizedRect();
    SetWindowPos(hwnd_, nullptr, maximized.left, maximized.top, maximized.right - maximized.left,
                 maximized.bottom - maximized.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
    // The system took the full screen as the rectangle to restore to: it is
    // told the normal one, which every way of restoring then gives (the
    // restore button, the window manager, Win+Down, dragging the title bar).
    GetWindowPlacement(hwnd_, &placement);
    setNormalPlacement(placement, normal);
}

void Win32FormWindow::setNormalPlacement(WINDOWPLACEMENT& placement, const RECT& normal)
{
    placement.rcNormalPosition = normal;
    SetWindowPlacement(hwnd_, &placement);
    normalPlacement_ = normal;
}

void Win32FormWindow::applyRestoredRect()
{
    if (IsZoomed(hwnd_) || IsIconic(hwnd_))
        return;
    // Not the placement's: Wine takes into it the size the window manager
    // gave the window on the way.
    RECT normal = normalPlacement_;
    const POINT origin = workAreaOrigin();
    OffsetRect(&normal, origin.x, origin.y);
    SetWindowPos(hwnd_, nullptr, normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT Win32FormWindow::workAreaOrigin() const
{
    // A placement's rectangle counts from the work area, a window's from the
    // monitor.
    const MONITORINFO monitor = monitorInfo();
    return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

MONITORINFO Win32FormWindow::monitorInfo() const
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor;
}

RECT Win32FormWindow::maximizedRect() const
{
    // As the system places a maximized window: its sizing border just
    // outside the work area of its monitor, and the caption inside.
    const MONITORINFO monitor = monitorInfo();
    RECT border{0, 0, 0, 0};
    AdjustWindowRectEx(&border, styleOf(design_) & ~WS_BORDER, FALSE, exStyleOf(design_));
    RECT r = monitor.rcWork;
    r.left += border.left;
    r.top += border.top;
    r.right += border.right;
    r.bottom += border.bottom;
    return r;
}

void Win32FormWindow::bringToFront()
{
    if (IsIconic(hwnd_))
        ShowWindow(hwnd_, SW_RESTORE);
    // Raised and activated where it is: hidden and shown again, a maximized
    // window would vanish, blink back and move its taskbar button.
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd_);
}

LRESULT CALLBACK Win32FormWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || (self->retired_ && message != WM_PAINT && message != WM_ERASEBKGND))
        return DefWindowProcW(hwnd, message, wParam, lParam);
    HandlerScope scope(self->runtime_);
    return self->handle(message, wParam, lParam);
}

LRESULT Win32FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return controlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message, wParam,
                              lParam);
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (Win32Control* c = controlOf(reinterpret_cast<HWND>(lParam)))
            runtime_.commandFrom(*this, *c, HIWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        // Windows keeps to the normal rectangle by itself. Under Wine an X
        // window manager restores the window to the size it was mapped at,
        // the maximized one, after the system has restored it to its normal
        // rectangle: that rectangle is put back once the window manager has
        // done, before anything is painted.
        if ((wParam & 0xFFF0) == SC_RESTORE && IsZoomed(hwnd_) && underWine())
            PostMessageW(hwnd_, kApplyRestoredRect, 0, 0);
        break;
    case kApplyRestoredRect:
        applyRestoredRect();
        return 0;
    case WM_SYSCOLORCHANGE:
        followColourScheme();
        return 0;
    case WM_CLOSE:
        // The close box is a control of the window: held like the others.
        if (!runtime_.holdingInput())
            runtime_.closeRequested(design_.name);
        return 0;
    case WM_QUERYENDSESSION:
        return runtime_.querySessionEnd() ? TRUE : FALSE;
    case WM_ENDSESSION:
        runtime_.sessionEnded(wParam != FALSE);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && focus_ && IsWindow(focus_)) {
            SetFocus(focus_);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (focus_ && IsWindow(focus_) && IsWindowVisible(focus_)) {
            SetFocus(focus_);
            return 0;
        }
        break;
    case Win32Runtime::kRunPendingLeave:
        runtime_.runPendingLeaves();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace dravelo::platform::win32
