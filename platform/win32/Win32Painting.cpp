// What a form draws itself: its ground, its lines and images, the colours of
// its labels and fields, and the white-face graphical buttons.

#include "platform/win32/Utf16.h"
#include "platform/win32/Win32FormWindow.h"

namespace dravelo::platform::win32 {

namespace {

constexpr int kFlatBorderPixels = 1;
// The dotted focus frame keeps this far inside a button's edge.
constexpr int kFocusInset = 4;

void drawImage(HDC dc, const Win32Control& image)
{
    const int border = image.design.flatBorder ? kFlatBorderPixels : 0;
    RECT inside = image.drawn;
    InflateRect(&inside, -border, -border);
    if (image.bitmap) {
        BITMAP info{};
        GetObjectW(image.bitmap, sizeof info, &info);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, image.bitmap);
        const int width = inside.right - inside.left;
        const int height = inside.bottom - inside.top;
        if (width == info.bmWidth && height == info.bmHeight) {
            // At its own size the picture is copied as it is: smoothing a
            // copy that scales nothing is slow (Wine blends every pixel).
            BitBlt(dc, inside.left, inside.top, width, height, source, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            StretchBlt(dc, inside.left, inside.top, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        }
        SelectObject(source, old);
        DeleteDC(source);
    }
    if (image.design.flatBorder)
        FrameRect(dc, &image.drawn, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void drawLine(HDC dc, const Win32Control& line, POINT from, POINT to)
{
    if (from.x == to.x || from.y == to.y) {
        HBRUSH brush = CreateSolidBrush(line.foreColour);
        FillRect(dc, &line.drawn, brush);
        DeleteObject(brush);
        return;
    }
    HPEN pen = CreatePen(line.design.insideSolid ? PS_INSIDEFRAME : PS_SOLID, line.design.lineWidth, line.foreColour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

} // namespace

void Win32FormWindow::paint(HDC dc)
{
    for (const Win32Control& c : controls_) {
        if (c.design.cls == ControlClass::Image)
            drawImage(dc, c);
        else if (c.design.cls == ControlClass::Line)
            drawLine(dc, c, lineStart(c), lineEnd(c));
    }
}

LRESULT Win32FormWindow::controlColours(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Win32Control* c = controlOf(child);
    if (!c)
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    if (c->isButton()) // the ground around a push button is the window's
        return reinterpret_cast<LRESULT>(background_);
    SetTextColor(dc, c->foreColour);
    SetBkColor(dc, c->backColour);
    return reinterpret_cast<LRESULT>(c->background);
}

void Win32FormWindow::refreshDefaultButton()
{
    if (defaultButton_ && controls_[*defaultButton_].hwnd)
        InvalidateRect(controls_[*defaultButton_].hwnd, nullptr, FALSE);
}

void Win32FormWindow::drawButton(const DRAWITEMSTRUCT& item)
{
    const Win32Control* c = controlOf(item.hwndItem);
    if (!c || item.CtlType != ODT_BUTTON)
        return;
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool focused = item.itemState & ODS_FOCUS;
    // The default button wears the dark frame while no other button has
    // the focus, telling that Enter presses it.
    const Win32Control* focus = controlOf(GetFocus());
    const bool isDefault = defaultButton_ && c == &controls_[*defaultButton_];
    const bool framed = focused || (isDefault && !(focus && focus->isButton()));
    if (framed) {
        FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&face, -1, -1);
    }
    FillRect(dc, &face, c->background);
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    RECT text = face;
    if (pressed)
        OffsetRect(&text, 1, 1);
    const std::wstring caption = toUtf16(c->design.caption);
    HGDIOBJ old = SelectObject(dc, c->font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, c->foreColour);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    if (focused) {
        RECT frame = face;
        InflateRect(&frame, -kFocusInset, -kFocusInset);
        DrawFocusRect(dc, &frame);
    }
}

} // namespace dravelo::platform::win32
