#pragma once
// Text for 8-bit readers in the system's own code page: on Windows the
// system's ANSI code page (GetACP()), which a Polish, Russian or Italian
// Windows each set differently; elsewhere Windows-1252, the code page of
// Western and Italian Windows systems.

#include <string>
#include <string_view>

namespace dravelo::report {

// A character the code page cannot hold, and every byte that is not part of
// valid UTF-8, becomes "?", as the system's own conversion writes it.
std::string toSystemCodePage(std::string_view utf8);

} // namespace dravelo::report
