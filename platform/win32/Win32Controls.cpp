#include "platform/win32/Win32Controls.h"

#include "platform/win32/PictureResources.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Style.h"
#include "platform/win32/Win32Twips.h"

#include <algorithm>

namespace dravelo::platform::win32 {

namespace {

constexpr const wchar_t* kPictureBoxClass = L"DraveloPictureBox";
// The picture box keeps its control in its window's extra bytes.
constexpr int kPictureBoxControlSlot = 0;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// Edit controls take at most this many characters unless told otherwise.
constexpr WPARAM kNoLengthLimit = 0;

const Win32Control* pictureBoxControl(HWND hwnd)
{
    return reinterpret_cast<const Win32Control*>(GetWindowLongPtrW(hwnd, kPictureBoxControlSlot));
}

LRESULT CALLBACK pictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, kPictureBoxControlSlot,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        if (const Win32Control* c = pictureBoxControl(hwnd)) {
            FillRect(dc, &client, c->background);
            // Transparent pixels of the icon show the box's background.
            if (c->icon)
                DrawIconEx(dc, 0, 0, c->icon, 0, 0, 0, nullptr, DI_NORMAL);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(hwnd);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The screen scale the pictures' pixels are drawn for.
constexpr int kDesignDpi = 96;

SIZE iconSize(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return {};
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    const bool colour = info.hbmColor != nullptr;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // A monochrome icon's mask holds the AND and XOR halves one above the other.
    return {mask.bmWidth, colour ? mask.bmHeight : mask.bmHeight / 2};
}

int labelBorder(const Win32Control& label)
{
    return label.design.singleBorder ? GetSystemMetrics(SM_CXEDGE) : 0;
}

} // namespace

void registerPictureBoxClass(HINSTANCE instance)
{
    WNDCLASSEXW box{};
    box.cbSize = sizeof box;
    box.style = CS_DBLCLKS;
    box.lpfnWndProc = pictureBoxProc;
    box.cbWndExtra = sizeof(LONG_PTR);
    box.hInstance = instance;
    box.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    box.lpszClassName = kPictureBoxClass;
    RegisterClassExW(&box);
}

HWND createControlWindow(const Win32Control& c, HWND parent, HINSTANCE instance, int id, const RECT& box)
{
    const ControlDesign& d = c.design;
    const std::wstring caption = toUtf16(d.caption);
    auto create = [&](DWORD exStyle, const wchar_t* cls, DWORD style, void* param = nullptr) {
        return CreateWindowExW(exStyle, cls, caption.c_str(), kChildStyle | style, box.left, box.top,
                               box.right - box.left, box.bottom - box.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, param);
    };
    switch (d.cls) {
    case ControlClass::CommandButton:
        return create(0, L"BUTTON", WS_TABSTOP | (d.graphical ? BS_OWNERDRAW : BS_PUSHBUTTON));
    case ControlClass::TextBox: {
        HWND field = create(WS_EX_CLIENTEDGE, L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL);
        SendMessageW(field, EM_SETLIMITTEXT, kNoLengthLimit, 0);
        return field;
    }
    case ControlClass::Label:
        return create(d.singleBorder ? WS_EX_CLIENTEDGE : 0, L"STATIC",
                      SS_NOPREFIX | (d.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP));
    case ControlClass::PictureBox:
        return create(d.sunkenBorder ? WS_EX_CLIENTEDGE : 0, kPictureBoxClass, WS_TABSTOP,
                      const_cast<Win32Control*>(&c));
    case ControlClass::Image:
    case ControlClass::Line:
        return nullptr;
    }
    return nullptr;
}

HBITMAP loadPictureBitmap(HINSTANCE instance, const std::string& picture)
{
    const int resource = pictureResource(picture);
    if (!resource)
        return nullptr;
    return static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

HICON loadPictureIcon(HINSTANCE instance, const std::string& picture)
{
    const int resource = pictureResource(picture);
    if (!resource)
        return nullptr;
    // Its own size, not the system's icon size, in inches: a 32-pixel
    // picture is 480 twips, so 48 pixels on a 144 dpi screen.
    HICON natural = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resource), IMAGE_ICON, 0, 0, 0));
    const SIZE size = iconSize(natural);
    const ScreenDpi dpi = screenDpi();
    const int width = MulDiv(size.cx, dpi.across, kDesignDpi);
    const int height = MulDiv(size.cy, dpi.down, kDesignDpi);
    if (!natural || (width == size.cx && height == size.cy))
        return natural;
    DestroyIcon(natural);
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resource), IMAGE_ICON, width, height, 0));
}

RECT lineSpan(POINT from, POINT to, int penWidth)
{
    const int width = std::max(1, penWidth);
    const int before = (width - 1) / 2;
    const int after = width - 1 - before;
    return {std::min(from.x, to.x) - before, std::min(from.y, to.y) - before, std::max(from.x, to.x) + after + 1,
            std::max(from.y, to.y) + after + 1};
}

SIZE fittedLabelSize(const Win32Control& label, int currentWidth)
{
    const std::wstring text = toUtf16(label.design.caption);
    const int border = labelBorder(label);
    HDC dc = GetDC(label.hwnd);
    const int line = lineHeight(dc, label.font);
    HGDIOBJ old = SelectObject(dc, label.font);
    SIZE fitted{};
    if (label.design.wordWrap) {
        RECT bounds{0, 0, std::max(0, currentWidth - 2 * border), 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        const int spacing = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
        const int lines = std::max(1, static_cast<int>((bounds.bottom - bounds.top) / spacing));
        fitted = {currentWidth, lines * line + 2 * border};
    } else {
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        fitted = {extent.cx + 2 * border, line + 2 * border};
    }
    SelectObject(dc, old);
    ReleaseDC(label.hwnd, dc);
    return fitted;
}

SIZE fittedPictureBoxSize(const Win32Control& box)
{
    const SIZE picture = iconSize(box.icon);
    if (picture.cx <= 0 || picture.cy <= 0)
        return {};
    RECT outer{0, 0, picture.cx, picture.cy};
    AdjustWindowRectEx(&outer, WS_CHILD, FALSE, box.design.sunkenBorder ? WS_EX_CLIENTEDGE : 0);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

} // namespace dravelo::platform::win32
