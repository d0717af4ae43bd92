#pragma once
// The names Windows keeps for itself. A file named after a device (NUL,
// COM1, "lpt1.txt") opens the device on some versions of Windows and a
// plain file on others, and a colon makes a hidden stream of another file:
// the program refuses such names itself, in its own words, whatever the
// system would do with them.

#include <string>

namespace dravelo::platform {

// Why Windows cannot take this path (UTF-8) as the name of an ordinary
// file, for the user; the empty text when it can. Backslash and slash
// separate folders, and a colon may follow a drive letter at the start;
// every folder and the file name are checked.
std::string windowsNameRefusal(const std::string& path);

} // namespace dravelo::platform
