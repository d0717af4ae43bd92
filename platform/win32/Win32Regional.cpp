#include "platform/win32/Win32Regional.h"

#include "platform/win32/Utf16.h"

#include <windows.h>

namespace dravelo::platform::win32 {

namespace {

// Longest date, time and locale texts the system writes, with room to spare.
constexpr int kTextCapacity = 128;

std::wstring trimmedAt(const wchar_t* buffer, int written)
{
    // The count includes the terminating NUL; zero means the call failed.
    return written > 0 ? std::wstring(buffer, static_cast<size_t>(written - 1)) : std::wstring();
}

// A locale text, or the fallback when the system has none.
std::string localeText(LCTYPE type, const std::string& fallback)
{
    wchar_t buffer[kTextCapacity];
    const std::wstring text = trimmedAt(buffer, GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, kTextCapacity));
    return text.empty() ? fallback : toUtf8(text);
}

} // namespace

std::string currentDateText()
{
    wchar_t buffer[kTextCapacity];
    return toUtf8(trimmedAt(
        buffer, GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, kTextCapacity,
                                nullptr)));
}

std::string currentTimeText()
{
    // No flags: the user's full time format, which has the seconds.
    wchar_t buffer[kTextCapacity];
    return toUtf8(
        trimmedAt(buffer, GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, buffer, kTextCapacity)));
}

NumberFormat userNumberFormat()
{
    NumberFormat format;
    format.decimalSeparator = localeText(LOCALE_SDECIMAL, format.decimalSeparator);
    // A locale may group with nothing; that is a setting, not a failure.
    wchar_t buffer[kTextCapacity];
    format.groupSeparator =
        toUtf8(trimmedAt(buffer, GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, buffer, kTextCapacity)));
    format.negativeSign = localeText(LOCALE_SNEGATIVESIGN, format.negativeSign);
    return format;
}

} // namespace dravelo::platform::win32
