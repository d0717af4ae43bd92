#include "platform/win32/Win32FormWindow.h"

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
constexpr DWORD kFixedDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// Property names of the two families of controls.
struct PropertyNames {
    const char* left;
    const char* top;
    const char* width;
    const char* height;
};
constexpr PropertyNames kBoxNames{"Left", "Top", "Width", "Height"};
constexpr PropertyNames kLineNames{"X1", "Y1", "X2", "Y2"};
constexpr const char* kFontSize = "FontSize";

bool hasFont(ControlClass cls)
{
    return cls != ControlClass::Line && cls != ControlClass::Image;
}

[[noreturn]] void noSuchProperty(const std::string& owner, const std::string& name)
{
    throw std::logic_error("no property " + name + " on " + owner);
}

DWORD styleOf(const FormDesign& design)
{
    return design.border == BorderStyle::FixedDialog ? kFixedDialogStyle : kSizableStyle;
}

DWORD exStyleOf(const FormDesign& design)
{
    return design.border == BorderStyle::FixedDialog ? kFixedDialogExStyle : WS_EX_CONTROLPARENT;
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
    if (design_.scaleWidth && *design_.scaleWidth > 0)
        unitAcross_ = design_.clientWidth / *design_.scaleWidth;
    if (design_.scaleHeight && *design_.scaleHeight > 0)
        unitDown_ = design_.clientHeight / *design_.scaleHeight;

    background_ = CreateSolidBrush(colourOr(design_.background, SystemColor::ButtonFace));
    foreColour_ = colourOr(design_.foreground, SystemColor::WindowText);
    font_ = createDesignFont(design_.font.pointSize, design_.font.bold);

    left_ = design_.clientLeft - kFrameSideTwips;
    top_ = design_.clientTop - kFrameTopTwips;
    width_ = design_.clientWidth + 2 * kFrameSideTwips;
    height_ = design_.clientHeight + kFrameTopTwips + kFrameSideTwips;
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
    DeleteObject(font_);
    DeleteObject(background_);
}

void Win32FormWindow::build(HINSTANCE instance)
{
    controls_.reserve(design_.controls.size());
    for (const ControlDesign& d : design_.controls) {
        Win32Control c;
        c.design = d;
        const FontSpec font = d.font.value_or(design_.font);
        c.fontSize = hasFont(d.cls) ? font.pointSize : 0;
        c.left = d.left / unitAcross_;
        c.top = d.top / unitDown_;
        c.width = d.width / unitAcross_;
        c.height = d.height / unitDown_;
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
    for (Win32Control& c : controls_)
        applyGeometry(c);
    // A screen reader names a field by the label just before it.
    for (Win32Control& c : controls_)
        if (const Win32Control* label = find({design_.name, c.design.labelledBy}); label && c.hwnd && label->hwnd)
            SetWindowPos(c.hwnd, label->hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    focus_ = firstInTabOrder();
}

void Win32FormWindow::createControl(Win32Control& c, HINSTANCE instance, int id)
{
    const ControlDesign& d = c.design;
    if (hasFont(d.cls)) {
        const FontSpec font = d.font.value_or(design_.font);
        c.font = createDesignFont(font.pointSize, font.bold);
    }
    switch (d.cls) {
    case ControlClass::CommandButton:
        c.backColour = colourOr(d.background, SystemColor::ButtonFace);
        c.foreColour = colourOr(d.foreground, SystemColor::ButtonText);
        break;
    case ControlClass::TextBox:
        c.backColour = colourOr(d.background, SystemColor::Window);
        c.foreColour = colourOr(d.foreground, SystemColor::WindowText);
        break;
    case ControlClass::Label:
        // Labels without colours of their own take the window's.
        c.backColour = colourOr(d.background, SystemColor::ButtonFace);
        c.foreColour = colourOr(d.foreground, SystemColor::ButtonText);
        break;
    case ControlClass::PictureBox:
        c.backColour = colourOr(d.background, SystemColor::ButtonFace);
        break;
    case ControlClass::Line:
        c.foreColour = colourOr(d.foreground, SystemColor::WindowText);
        break;
    case ControlClass::Image:
        break;
    }
    if (d.cls != ControlClass::Line && d.cls != ControlClass::Image)
        c.background = CreateSolidBrush(c.backColour);
    c.hwnd = createControlWindow(c, hwnd_, instance, id);
    if (d.cls == ControlClass::Image)
        c.bitmap = loadPictureBitmap(instance, d.picture);
    if (d.cls == ControlClass::PictureBox)
        c.icon = loadPictureIcon(instance, d.picture);
    if (c.hwnd && c.font)
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
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
    return toPixels(units * unitAcross_, twipsPerPixel_.across);
}

int Win32FormWindow::pixelsDown(double units) const
{
    return toPixels(units * unitDown_, twipsPerPixel_.down);
}

void Win32FormWindow::applyGeometry(Win32Control& c)
{
    if (c.design.cls == ControlClass::Line) {
        c.drawn = lineSpan({pixelsAcross(c.left), pixelsDown(c.top)}, {pixelsAcross(c.width), pixelsDown(c.height)},
                           c.design.lineWidth);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    const RECT box{pixelsAcross(c.left), pixelsDown(c.top), pixelsAcross(c.left) + std::max(0, pixelsAcross(c.width)),
                   pixelsDown(c.top) + std::max(0, pixelsDown(c.height))};
    if (!c.hwnd) {
        c.drawn = box;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    SIZE size{box.right - box.left, box.bottom - box.top};
    if (c.design.autoSize) {
        const SIZE fitted = c.design.cls == ControlClass::Label ? fittedLabelSize(c, size.cx)
                                                                 : fittedPictureBoxSize(c);
        if (fitted.cx > 0 && fitted.cy > 0) {
            size = fitted;
            c.width = size.cx * twipsPerPixel_.across / unitAcross_;
            c.height = size.cy * twipsPerPixel_.down / unitDown_;
        }
    }
    MoveWindow(c.hwnd, box.left, box.top, size.cx, size.cy, TRUE);
}

double Win32FormWindow::property(const Win32Control& c, const std::string& name) const
{
    const PropertyNames& names = c.design.cls == ControlClass::Line ? kLineNames : kBoxNames;
    if (name == names.left)
        return c.left;
    if (name == names.top)
        return c.top;
    if (name == names.width)
        return c.width;
    if (name == names.height)
        return c.height;
    if (name == kFontSize && hasFont(c.design.cls))
        return c.fontSize;
    noSuchProperty(c.design.name, name);
}

void Win32FormWindow::setProperty(Win32Control& c, const std::string& name, double value)
{
    const PropertyNames& names = c.design.cls == ControlClass::Line ? kLineNames : kBoxNames;
    if (name == names.left)
        c.left = value;
    else if (name == names.top)
        c.top = value;
    else if (name == names.width)
        c.width = value;
    else if (name == names.height)
        c.height = value;
    else if (name == kFontSize && hasFont(c.design.cls)) {
        c.fontSize = value;
        applyFont(c);
    } else
        noSuchProperty(c.design.name, name);
    applyGeometry(c);
}

void Win32FormWindow::applyFont(Win32Control& c)
{
    const bool bold = c.design.font.value_or(design_.font).bold;
    HFONT old = c.font;
    c.font = createDesignFont(c.fontSize, bold);
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
    if (name == "Left")
        return left_;
    if (name == "Top")
        return top_;
    if (name == "Width")
        return width_;
    if (name == "Height")
        return height_;
    noSuchProperty(design_.name, name);
}

void Win32FormWindow::setFormProperty(const std::string& name, float value)
{
    if (name == "Left")
        left_ = value;
    else if (name == "Top")
        top_ = value;
    else if (name == "Width")
        width_ = value;
    else if (name == "Height")
        height_ = value;
    else
        noSuchProperty(design_.name, name);
    if (name == "Left" || name == "Top")
        positioned_ = true;
    applyNormalGeometry();
}

RECT Win32FormWindow::normalClientRect() const
{
    const int x = toPixels(left_ + kFrameSideTwips, twipsPerPixel_.across);
    const int y = toPixels(top_ + kFrameTopTwips, twipsPerPixel_.down);
    const int w = toPixels(width_ - 2 * kFrameSideTwips, twipsPerPixel_.across);
    const int h = toPixels(height_ - kFrameTopTwips - kFrameSideTwips, twipsPerPixel_.down);
    return {x, y, x + std::max(1, w), y + std::max(1, h)};
}

void Win32FormWindow::applyNormalGeometry()
{
    RECT outer = normalClientRect();
    AdjustWindowRectEx(&outer, styleOf(design_), FALSE, exStyleOf(design_));
    if (IsWindowVisible(hwnd_) && (IsZoomed(hwnd_) || IsIconic(hwnd_))) {
        // Taken when the user restores the window.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(hwnd_, &placement);
        RECT& normal = placement.rcNormalPosition;
        if (positioned_)
            OffsetRect(&normal, outer.left - normal.left, outer.top - normal.top);
        normal.right = normal.left + (outer.right - outer.left);
        normal.bottom = normal.top + (outer.bottom - outer.top);
        SetWindowPlacement(hwnd_, &placement);
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
    ShowWindow(hwnd_, design_.state == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
}

void Win32FormWindow::bringToFront()
{
    if (IsIconic(hwnd_))
        ShowWindow(hwnd_, SW_RESTORE);
    if (IsWindowVisible(hwnd_) && GetForegroundWindow() != hwnd_) {
        // Shown afresh: a window manager that keeps the stacking and the
        // input focus to itself (Wine on X) raises and focuses a window
        // that is mapped again, as it does a new one.
        ShowWindow(hwnd_, SW_HIDE);
        ShowWindow(hwnd_, SW_SHOW);
    }
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
