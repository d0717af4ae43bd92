#pragma once
// The user's regional settings, read from the system's locale
// (LOCALE_NAME_USER_DEFAULT). Texts in UTF-8.

#include "platform/NumberText.h"

#include <string>

namespace dravelo::platform::win32 {

// Today in the user's short date format.
std::string currentDateText();
// Now in the user's time format, with hours, minutes and seconds.
std::string currentTimeText();
// Decimal and thousands separators and the negative sign of the user.
NumberFormat userNumberFormat();

} // namespace dravelo::platform::win32
