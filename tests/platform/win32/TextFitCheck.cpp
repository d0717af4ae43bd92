// Every text of the program's three windows whole inside its control, on
// this screen at this scale: the windows built from the real designs and
// adapted to the screen by the program's own load handlers, each text
// measured in its control's font. Prints what does not fit and ends with
// status 1, or with 0 when every text fits. The Windows journeys run it on
// the screens they run on.

#include "app/Program.h"
#include "forms/ControlNames.h"
#include "forms/Designs.h"
#include "platform/win32/Win32Runtime.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using namespace dravelo;

constexpr DWORD kSettleMilliseconds = 500;

void settle(platform::win32::Win32Runtime& runtime)
{
    const ULONGLONG until = GetTickCount64() + kSettleMilliseconds;
    while (GetTickCount64() < until) {
        runtime.pumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// The room the text of a control of this class is drawn in, and how.
struct Room {
    SIZE size{};
    UINT format = 0;
    bool widthCounts = true;
};

Room roomOf(HWND control, platform::ControlClass cls)
{
    RECT client{};
    GetClientRect(control, &client);
    Room room{{client.right, client.bottom}, DT_NOPREFIX | DT_SINGLELINE};
    if (cls == platform::ControlClass::Label) {
        if ((GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT)
            room.format = DT_NOPREFIX | DT_WORDBREAK;
    } else if (cls == platform::ControlClass::CommandButton) {
        // Across, inside the raised edge and the default button's frame;
        // down, the line (with the leading above the letters and the
        // descent below) inside the frame. The access key's "&" is not
        // drawn.
        room.size.cx -= 2 * (GetSystemMetrics(SM_CXEDGE) + 1);
        room.size.cy -= 2;
        room.format = DT_SINGLELINE;
    } else {
        // A field scrolls its text across: only its line must fit.
        room.widthCounts = false;
    }
    return room;
}

SIZE textSize(HWND control, const std::wstring& text, const Room& room)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT bounds{0, 0, room.size.cx, 0};
    // An empty field still holds a line.
    const std::wstring measured = text.empty() ? L"Ag" : text;
    DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &bounds, room.format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

std::wstring textOf(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool hiddenByDesign(const std::string& form, const platform::ControlDesign& control)
{
    // The cover's Label5 is one pixel wide, so that its text is not seen.
    return form == forms::kForm1 && control.name == "Label5";
}

} // namespace

int main()
{
    const std::vector<platform::FormDesign> designs = forms::allDesigns();
    platform::win32::Win32Runtime runtime(designs);
    int misfits = 0;
    int checked = 0;
    {
        app::Program program(runtime);
        runtime.setEvents(&program);
        for (const char* form : {forms::kForm1, forms::kForm2, forms::kFrmAbout})
            runtime.show(form);
        settle(runtime);
        for (const platform::FormDesign& design : designs) {
            for (const platform::ControlDesign& c : design.controls) {
                HWND control = runtime.control({design.name, c.name, c.index});
                if (!control || c.cls == platform::ControlClass::PictureBox || hiddenByDesign(design.name, c))
                    continue;
                const Room room = roomOf(control, c.cls);
                const SIZE needed = textSize(control, textOf(control), room);
                ++checked;
                if (needed.cy > room.size.cy || (room.widthCounts && needed.cx > room.size.cx)) {
                    std::fprintf(stderr, "%s.%s: the text needs %ldx%ld pixels, the control has %ldx%ld\n",
                                 design.name.c_str(), c.name.c_str(), needed.cx, needed.cy, room.size.cx,
                                 room.size.cy);
                    ++misfits;
                }
            }
        }
        runtime.setEvents(nullptr);
    }
    std::printf("%d texts checked, %d not whole\n", checked, misfits);
    return misfits ? 1 : 0;
}
