// The code page conversions through the system's own tables.

#include "report/SystemCodePage.h"
#include "report/Windows1252.h"

#include <windows.h>

namespace dravelo::report {

namespace {

constexpr char kReplacement = '?';
constexpr UINT kWindows1252 = 1252;
// Room for one character in any code page the system can have.
constexpr int kMaxCharacterBytes = 4;

// Bytes a UTF-8 character beginning with this byte claims; 1 for a byte
// that cannot begin one.
std::size_t claimedLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

// The character's bytes, or the replacement when the code page lacks it.
std::string toCodePage(UINT codePage, const wchar_t* utf16, int units)
{
    // Windows passes the unassigned bytes of its 8-bit code pages (0x81,
    // 0x8D, 0x8F, 0x90 and 0x9D in 1252) through as the control characters
    // of the same number; they are no text, so like every C1 control they
    // are not kept.
    if (units == 1 && utf16[0] >= 0x80 && utf16[0] <= 0x9F)
        return std::string(1, kReplacement);
    char bytes[kMaxCharacterBytes];
    int written = 0;
    if (codePage == CP_UTF8) {
        // UTF-8 holds every character, and takes no default character.
        written = WideCharToMultiByte(codePage, 0, utf16, units, bytes, kMaxCharacterBytes, nullptr, nullptr);
    } else {
        BOOL usedDefault = FALSE;
        written = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, utf16, units, bytes, kMaxCharacterBytes,
                                      nullptr, &usedDefault);
        if (usedDefault)
            written = 0;
    }
    return written > 0 ? std::string(bytes, static_cast<std::size_t>(written)) : std::string(1, kReplacement);
}

std::string convert(std::string_view utf8, UINT codePage)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const std::size_t length = claimedLength(lead);
        wchar_t utf16[2];
        const int units = length > 1 && length <= utf8.size() - i
                              ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data() + i,
                                                    static_cast<int>(length), utf16, 2)
                              : 0;
        if (units == 0) {
            // Not a well-formed character: this byte alone costs one "?".
            out += kReplacement;
            ++i;
            continue;
        }
        out += toCodePage(codePage, utf16, units);
        i += length;
    }
    return out;
}

} // namespace

std::string toWindows1252(std::string_view utf8)
{
    return convert(utf8, kWindows1252);
}

std::string toSystemCodePage(std::string_view utf8)
{
    return convert(utf8, GetACP());
}

} // namespace dravelo::report
