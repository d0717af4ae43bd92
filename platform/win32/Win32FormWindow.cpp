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

bool Win32Control::focusable() const
{
    return design.cls == ControlClass::TextBox || design.cls == ControlClass::CommandButton ||
           design.cls == ControlClass::PictureBox;
}

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

Win32FormWindow::Win32FormWindow(Win32Runtime& runtime, const FormDesign& design, HINSTANCE instance)
    : runtime_(runtime), design_(design), twipsPerPixel_(screenTwipsPerPixel())
{
    units_ = scaleUnitsOf(design_);

    background_ = CreateSolidBrush(toColorRef(backgroundOf(design_)));

    outer_ = designedOuterRect(design_);
    positioned_ = design_.placedByDesign;

    RECT outer = normalClientRect();
    AdjustWindowRectEx(&outer, styleOf(design_), FALSE, exStyleOf(design_));
    const int x = positioned_ ? outer.left : CW_USEDEFAULT;
    const int y = positioned_ ? outer.top : CW_USEDEFAULT;
    const std::wstring caption = toUtf16(design_.caption);
    hwnd_ = CreateWindowExW(exStyleOf(design_), kClassName, caption.c_str(), styleOf(design_), x, y,
                            outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (!hwnd_)
        throw std::runtime_error("cannot create the window " + design_.name);
    build(instance);
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

void Win32FormWindow::build(HINSTANCE instance)
{
    controls_.reserve(design_.controls.size());
    for (const ControlDesign& d : design_.controls) {
        Win32Control c;
        c.design = d;
        c.values = designedValues(design_, d);
        controls_.push_back(c);
    }
    int id = 1;
    for (Win32Control& c : controls_) {
        createControl(c, instance, id++);
        if (c.hwnd && c.focusable())
            runtime_.registerControl(c.hwnd, *this);
        if (c.isButton() && c.design.isDefault)
            defaultButton_ = &c;
        if (c.isButton() && c.design.isCancel)
            cancelButton_ = &c;
    }
    // A screen reader names a field by the label just before it.
    for (Win32Control& c : controls_)
        if (const Win32Control* label = find({design_.name, c.design.labelledBy}); label && c.hwnd && label->hwnd)
            SetWindowPos(c.hwnd, label->hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    focus_ = firstInTabOrder();
}

void Win32FormWindow::createControl(Win32Control& c, HINSTANCE instance, int id)
{
    const ControlDesign& d = c.design;
    if (carriesFont(d.cls))
        c.font = createDesignFont(c.values.fontSize, d.font.value_or(design_.font).bold);
    applyColours(c);
    if (d.cls == ControlClass::Image)
        c.bitmap = loadPictureBitmap(instance, d.picture);
    if (d.cls == ControlClass::PictureBox)
        c.icon = loadPictureIcon(instance, d.picture);
    // Made where it belongs: each move of a child window costs a round trip
    // to the window server.
    c.hwnd = createControlWindow(c, hwnd_, instance, id, layOut(c));
    if (c.hwnd && c.font)
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
    if (!c.hwnd)
        applyGeometry(c);
}

void Win32FormWindow::applyColours(Win32Control& c)
{
    c.backColour = toColorRef(backgroundOf(c.design));
    c.foreColour = toColorRef(foregroundOf(c.design));
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
    background_ = CreateSolidBrush(toColorRef(backgroundOf(design_)));
    for (Win32Control& c : controls_) {
        applyColours(c);
        if (c.hwnd)
            SendMessageW(c.hwnd, WM_SYSCOLORCHANGE, 0, 0);
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

Win32Control* Win32FormWindow::find(const ControlId& id)
{
    return const_cast<Win32Control*>(static_cast<const Win32FormWindow*>(this)->find(id));
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

int Win32FormWindow::pixelsAcross(double units) const
{
    return toPixels(units * units_.across, twipsPerPixel_.across);
}

int Win32FormWindow::pixelsDown(double units) const
{
    return toPixels(units * units_.down, twipsPerPixel_.down);
}

void Win32FormWindow::applyGeometry(Win32Control& c)
{
    if (c.design.cls == ControlClass::Line) {
        c.drawn = lineSpan(lineStart(c), lineEnd(c), c.design.lineWidth);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    const RECT box = layOut(c);
    if (!c.hwnd) {
        c.drawn = box;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    MoveWindow(c.hwnd, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
}

RECT Win32FormWindow::layOut(Win32Control& c)
{
    const ControlValues& v = c.values;
    RECT box{pixelsAcross(v.left), pixelsDown(v.top), pixelsAcross(v.left) + std::max(0, pixelsAcross(v.width)),
             pixelsDown(v.top) + std::max(0, pixelsDown(v.height))};
    if (!c.design.autoSize || c.design.cls == ControlClass::Image)
        return box;
    const SIZE fitted = c.design.cls == ControlClass::Label ? fittedLabelSize(c, box.right - box.left)
                                                             : fittedPictureBoxSize(c);
    if (fitted.cx > 0 && fitted.cy > 0) {
        box.right = box.left + fitted.cx;
        box.bottom = box.top + fitted.cy;
        c.values.width = fitted.cx * twipsPerPixel_.across / units_.across;
        c.values.height = fitted.cy * twipsPerPixel_.down / units_.down;
    }
    return box;
}

POINT Win32FormWindow::lineStart(const Win32Control& line) const
{
    return {pixelsAcross(line.values.left), pixelsDown(line.values.top)};
}

POINT Win32FormWindow::lineEnd(const Win32Control& line) const
{
    return {pixelsAcross(line.values.width), pixelsDown(line.values.height)};
}

double Win32FormWindow::property(const Win32Control& c, const std::string& name) const
{
    const std::optional<ControlProperty> property = controlPropertyNamed(c.design.cls, name);
    if (!property)
        noSuchProperty(c.design.name, name);
    return valueOf(c.values, *property);
}

void Win32FormWindow::setProperty(Win32Control& c, const std::string& name, double value)
{
    const std::optional<ControlProperty> property = controlPropertyNamed(c.design.cls, name);
    if (!property)
        noSuchProperty(c.design.name, name);
    valueOf(c.values, *property) = value;
    if (*property == ControlProperty::FontSize)
        applyFont(c);
    applyGeometry(c);
}

void Win32FormWindow::applyFont(Win32Control& c)
{
    const bool bold = c.design.font.value_or(design_.font).bold;
    HFONT old = c.font;
    c.font = createDesignFont(c.values.fontSize, bold);
    if (c.hwnd)
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), TRUE);
    if (old)
        DeleteObject(old);
}

void Win32FormWindow::setCaption(Win32Control& c, const std::string& caption)
{
    if (!c.hwnd || (c.design.cls != ControlClass::Label && c.design.cls != ControlClass::CommandButton))
        throw std::logic_error("no caption on " + c.design.name);
    c.design.caption = caption;
    SetWindowTextW(c.hwnd, toUtf16(caption).c_str());
    applyGeometry(c);
}

float Win32FormWindow::formProperty(const std::string& name) const
{
    const std::optional<WindowProperty> property = windowPropertyNamed(name);
    if (!property)
        noSuchProperty(design_.name, name);
    return valueOf(outer_, *property);
}

void Win32FormWindow::setFormProperty(const std::string& name, float value)
{
    const std::optional<WindowProperty> property = windowPropertyNamed(name);
    if (!property)
        noSuchProperty(design_.name, name);
    valueOf(outer_, *property) = value;
    if (*property == WindowProperty::Left || *property == WindowProperty::Top)
        positioned_ = true;
    applyNormalGeometry();
}

RECT Win32FormWindow::normalClientRect() const
{
    const TwipsRect client = clientRectOf(outer_);
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
        if (positioned_) {
            const POINT origin = workAreaOrigin();
            OffsetRect(&normal, outer.left - origin.x - normal.left, outer.top - origin.y - normal.top);
        }
        normal.right = normal.left + (outer.right - outer.left);
        normal.bottom = normal.top + (outer.bottom - outer.top);
        setNormalPlacement(placement, normal);
        return;
    }
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!positioned_)
        flags |= SWP_NOMOVE;
    SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top, flags);
}

HWND Win32FormWindow::firstInTabOrder() const
{
    const Win32Control* first = nullptr;
    for (const Win32Control& c : controls_)
        if (c.hwnd && c.focusable() && (!first || c.design.tabIndex < first->design.tabIndex))
            first = &c;
    return first ? first->hwnd : nullptr;
}

HWND Win32FormWindow::nextInTabOrder(HWND from, bool backwards) const
{
    std::vector<const Win32Control*> order;
    for (const Win32Control& c : controls_)
        if (c.hwnd && c.focusable() && IsWindowVisible(c.hwnd) && IsWindowEnabled(c.hwnd))
            order.push_back(&c);
    if (order.empty())
        return nullptr;
    std::stable_sort(order.begin(), order.end(), [](const Win32Control* a, const Win32Control* b) {
        return a->design.tabIndex < b->design.tabIndex;
    });
    auto at = std::find_if(order.begin(), order.end(), [from](const Win32Control* c) { return c->hwnd == from; });
    if (at == order.end())
        return order.front()->hwnd;
    const std::size_t i = static_cast<std::size_t>(at - order.begin());
    const std::size_t n = order.size();
    return order[backwards ? (i + n - 1) % n : (i + 1) % n]->hwnd;
}

Win32Control* Win32FormWindow::buttonWithAccessKey(wchar_t key)
{
    const wchar_t wanted = upperCase(key);
    for (Win32Control& c : controls_)
        if (c.isButton() && c.hwnd && IsWindowEnabled(c.hwnd) && accessKeyOf(c.design.caption) == wanted)
            return &c;
    return nullptr;
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

void Win32FormWindow::hide()
{
    ShowWindow(hwnd_, SW_HIDE);
}

LRESULT CALLBACK Win32FormWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
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
        runtime_.closeRequested(design_.name);
        return 0;
    case WM_QUERYENDSESSION:
        return runtime_.sessionMayEnd();
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
        runtime_.runPendingLeave();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace dravelo::platform::win32
