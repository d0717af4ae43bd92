#pragma once
// Text for 8-bit readers: Windows-1252, the code page of Western and
// Italian Windows systems.

#include <string>
#include <string_view>

namespace dravelo::report {

// One byte per character. A character the code page cannot hold, and every
// byte that is not part of valid UTF-8, becomes "?".
std::string toWindows1252(std::string_view utf8);

} // namespace dravelo::report
