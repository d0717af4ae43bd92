#pragma once
// The program's texts are UTF-8; the wide Win32 calls take UTF-16.

#include <string>

namespace dravelo::platform::win32 {

// Invalid UTF-8 becomes U+FFFD, so a text never vanishes on its way to a window.
std::wstring toUtf16(const std::string& utf8);
std::string toUtf8(const std::wstring& utf16);

} // namespace dravelo::platform::win32
