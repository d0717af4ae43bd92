#include "platform/win32/Win32Dialogs.h"

#include "platform/AppInfo.h"
#include "platform/win32/SystemButtonWords.h"
#include "platform/win32/ThreadModality.h"
#include "platform/win32/Utf16.h"

#include <vector>

namespace dravelo::platform::win32 {

namespace {

UINT boxStyle(MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton)
{
    UINT style = buttons == MsgButtons::YesNo ? MB_YESNO : MB_OK;
    if (icon == MsgIcon::Exclamation)
        style |= MB_ICONEXCLAMATION;
    else if (icon == MsgIcon::Question)
        style |= MB_ICONQUESTION;
    if (defaultButton == MsgDefault::Second && buttons == MsgButtons::YesNo)
        style |= MB_DEFBUTTON2;
    return style;
}

// The input box, laid out in dialog units like the system's own small
// dialogs: the prompt beside OK and Cancel, the edit line across the foot.
constexpr WORD kEditId = 100;
constexpr WORD kPromptId = 101;
constexpr short kBoxWidth = 280;
constexpr short kBoxHeight = 78;
constexpr short kMargin = 7;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kButtonGap = 4;
constexpr short kEditHeight = 12;
constexpr short kButtonLeft = kBoxWidth - kMargin - kButtonWidth;
constexpr short kPromptWidth = kButtonLeft - 2 * kMargin;
constexpr short kEditTop = kBoxHeight - kMargin - kEditHeight;
constexpr short kPromptHeight = kEditTop - 2 * kMargin;
constexpr WORD kFontPoints = 8;
constexpr const wchar_t* kFontFace = L"MS Shell Dlg";

// Predefined window classes of dialog items, by atom.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// An in-memory dialog template: DLGTEMPLATE and its items, each item on a
// DWORD boundary as the dialog manager requires.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const std::wstring& title)
    {
        putDword(style);
        putDword(0);
        countAt_ = words_.size();
        put(0);
        putRect(0, 0, width, height);
        put(0); // no menu
        put(0); // the dialog class
        putText(title);
        put(kFontPoints);
        putText(kFontFace);
    }

    void addItem(DWORD style, short x, short y, short width, short height, WORD id, WORD classAtom,
                 const std::wstring& text)
    {
        if (words_.size() % 2)
            put(0);
        putDword(style | WS_CHILD | WS_VISIBLE);
        putDword(0);
        putRect(x, y, width, height);
        put(id);
        put(0xFFFF);
        put(classAtom);
        putText(text);
        put(0); // no creation data
        ++words_[countAt_];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void put(WORD word) { words_.push_back(word); }
    void putDword(DWORD value)
    {
        put(LOWORD(value));
        put(HIWORD(value));
    }
    void putRect(short x, short y, short width, short height)
    {
        for (short value : {x, y, width, height})
            put(static_cast<WORD>(value));
    }
    void putText(const std::wstring& text)
    {
        words_.insert(words_.end(), text.begin(), text.end());
        put(0);
    }

    // WORD storage keeps the DWORD fields 2-aligned; the vector's own
    // allocation is at least DWORD-aligned.
    std::vector<WORD> words_;
    size_t countAt_ = 0;
};

struct InputBoxState {
    std::wstring answer;
    ThreadModality* modality = nullptr;
};

INT_PTR CALLBACK inputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetFocus(GetDlgItem(dialog, kEditId));
        return FALSE; // the focus is set
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id != IDOK && id != IDCANCEL)
            break;
        if (id == IDOK) {
            const HWND edit = GetDlgItem(dialog, kEditId);
            std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
            text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
            state->answer = std::move(text);
        }
        // The other windows come back before this one goes, so the
        // activation returns to the program and not to another.
        state->modality->enableWindows();
        EndDialog(dialog, id);
        return TRUE;
    }
    default:
        break;
    }
    return FALSE;
}

} // namespace

MsgAnswer showMessageBox(HWND owner, const std::string& text, MsgButtons buttons, MsgIcon icon,
                         MsgDefault defaultButton)
{
    UINT style = boxStyle(buttons, icon, defaultButton);
    // Without an owner the system itself disables every window of the thread;
    // with one, only the owner.
    if (!owner)
        style |= MB_TASKMODAL;
    ThreadModality modality(owner, owner != nullptr);
    const int pressed = MessageBoxW(owner, toUtf16(text).c_str(), toUtf16(kAppTitle).c_str(), style);
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    // A box that could not be shown answers No, which changes nothing.
    return pressed == IDYES ? MsgAnswer::Yes : MsgAnswer::No;
}

std::string showInputBox(HWND owner, const std::string& prompt, const std::string& title)
{
    const std::wstring caption = toUtf16(title.empty() ? std::string(kAppTitle) : title);
    DialogTemplate form(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, kBoxWidth,
                        kBoxHeight, caption);
    // Tab order: the edit line, OK, Cancel. The prompt shows "&" as it is.
    form.addItem(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kMargin, kEditTop, kBoxWidth - 2 * kMargin, kEditHeight,
                 kEditId, kEditClass, L"");
    form.addItem(BS_DEFPUSHBUTTON | WS_TABSTOP, kButtonLeft, kMargin, kButtonWidth, kButtonHeight, IDOK, kButtonClass,
                 systemButtonWord(IDOK, L"OK"));
    form.addItem(BS_PUSHBUTTON | WS_TABSTOP, kButtonLeft, kMargin + kButtonHeight + kButtonGap, kButtonWidth,
                 kButtonHeight, IDCANCEL, kButtonClass, systemButtonWord(IDCANCEL, L"Cancel"));
    form.addItem(SS_LEFT | SS_NOPREFIX, kMargin, kMargin, kPromptWidth, kPromptHeight, kPromptId, kStaticClass,
                 toUtf16(prompt));

    ThreadModality modality(owner, true);
    InputBoxState state;
    state.modality = &modality;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), form.get(), owner, inputBoxProc,
                                                   reinterpret_cast<LPARAM>(&state));
    return result == IDOK ? toUtf8(state.answer) : std::string();
}

} // namespace dravelo::platform::win32
