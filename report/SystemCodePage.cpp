#include "report/SystemCodePage.h"

#include "report/Windows1252.h"

namespace dravelo::report {

// Linux has no system code page of its own: the reports go to Windows
// readers in the code page of the systems the program is made for.
std::string toSystemCodePage(std::string_view utf8)
{
    return toWindows1252(utf8);
}

} // namespace dravelo::report
