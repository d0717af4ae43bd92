#include "platform/win32/SystemButtonWords.h"

#include <windows.h>

namespace dravelo::platform::win32 {

namespace {

// Windows exports the message box words from user32.
std::wstring fromExportedTable(int buttonId)
{
    using GetString = LPCWSTR(WINAPI*)(UINT);
    const auto getString = reinterpret_cast<GetString>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "MB_GetString")));
    const wchar_t* word = getString ? getString(static_cast<UINT>(buttonId - 1)) : nullptr;
    return word ? word : L"";
}

// Reads a DLGTEMPLATE and its items in place.
class TemplateReader {
public:
    explicit TemplateReader(const WORD* words, size_t count) : words_(words), count_(count) {}

    bool fits(size_t n) const { return at_ + n <= count_; }
    WORD word() { return fits(1) ? words_[at_++] : 0; }
    DWORD dword()
    {
        const WORD low = word();
        return MAKELONG(low, word());
    }
    void skip(size_t n) { at_ = fits(n) ? at_ + n : count_; }
    // A text, or an ordinal after 0xFFFF; the ordinal gives the empty text.
    std::wstring textOrOrdinal()
    {
        if (fits(1) && words_[at_] == 0xFFFF) {
            skip(2);
            return {};
        }
        std::wstring text;
        for (WORD w = word(); w != 0; w = word())
            text += static_cast<wchar_t>(w);
        return text;
    }
    void alignToDword()
    {
        if (at_ % 2)
            skip(1);
    }
    bool done() const { return at_ >= count_; }

private:
    const WORD* words_;
    size_t count_;
    size_t at_ = 0;
};

// Wine keeps them on the items of user32's own message box dialog.
std::wstring fromMessageBoxDialog(int buttonId)
{
    constexpr size_t kRectWords = 4;
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const LPCWSTR dialogType = MAKEINTRESOURCEW(5); // RT_DIALOG, in its wide form
    const HRSRC resource = FindResourceW(user32, L"MSGBOX", dialogType);
    const HGLOBAL loaded = resource ? LoadResource(user32, resource) : nullptr;
    const auto* words = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    if (!words)
        return {};
    TemplateReader reader(words, SizeofResource(user32, resource) / sizeof(WORD));
    const DWORD style = reader.dword();
    if (LOWORD(style) == 1 && HIWORD(style) == 0xFFFF)
        return {}; // an extended template; the system's is not one
    reader.dword();
    const WORD items = reader.word();
    reader.skip(kRectWords);
    reader.textOrOrdinal(); // menu
    reader.textOrOrdinal(); // class
    reader.textOrOrdinal(); // title
    if (style & DS_SETFONT) {
        reader.word();
        reader.textOrOrdinal();
    }
    for (WORD i = 0; i < items && !reader.done(); ++i) {
        reader.alignToDword();
        reader.skip(4 + kRectWords); // style, extended style, rectangle
        const WORD id = reader.word();
        reader.textOrOrdinal(); // class
        const std::wstring text = reader.textOrOrdinal();
        reader.skip(reader.word() / sizeof(WORD)); // creation data, counted in bytes
        if (id == buttonId)
            return text;
    }
    return {};
}

} // namespace

std::wstring systemButtonWord(int buttonId, const std::wstring& fallback)
{
    std::wstring word = fromExportedTable(buttonId);
    if (word.empty())
        word = fromMessageBoxDialog(buttonId);
    return word.empty() ? fallback : word;
}

} // namespace dravelo::platform::win32
