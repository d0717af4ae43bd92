#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Regional.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace dravelo::platform::win32 {
namespace {

std::wstring userLocaleName()
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
    GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    return name;
}

// The runs of digits of a text, as numbers.
std::vector<int> numbersIn(const std::string& text)
{
    std::vector<int> numbers;
    bool inNumber = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (!inNumber)
                numbers.push_back(0);
            numbers.back() = numbers.back() * 10 + (c - '0');
        }
        inNumber = c >= '0' && c <= '9';
    }
    return numbers;
}

TEST(Win32Regional, NumbersTheSystemWritesReadBackUnderTheUserFormat)
{
    const NumberFormat format = userNumberFormat();
    // Below a million: Wine 8 groups larger numbers wrongly.
    wchar_t written[64] = L"";
    ASSERT_GT(GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, L"-1234.5", nullptr, written, 64), 0);
    const std::string text = toUtf8(written);
    EXPECT_EQ(textToDouble(text, format), -1234.5) << text;
    EXPECT_EQ(doubleToText(-1234.5, format), format.negativeSign + "1234" + format.decimalSeparator + "5");

    if (userLocaleName() == L"it-IT") {
        EXPECT_EQ(format.decimalSeparator, ",");
        EXPECT_EQ(format.groupSeparator, ".");
        EXPECT_EQ(textToDouble("85,5", format), 85.5);
    } else if (userLocaleName() == L"en-US") {
        EXPECT_EQ(format.decimalSeparator, ".");
        EXPECT_EQ(format.groupSeparator, ",");
    }
    EXPECT_EQ(format.negativeSign, "-");
}

TEST(Win32Regional, DateAndTimeAreNowInTheUserFormats)
{
    // Read again when the clock moved on to another second meanwhile.
    SYSTEMTIME before{}, after{};
    std::string date, time;
    for (int tries = 0; tries < 3; ++tries) {
        GetLocalTime(&before);
        date = currentDateText();
        time = currentTimeText();
        GetLocalTime(&after);
        if (before.wSecond == after.wSecond)
            break;
    }
    const std::vector<int> dateNumbers = numbersIn(date);
    const std::vector<int> timeNumbers = numbersIn(time);
    ASSERT_EQ(dateNumbers.size(), 3u) << date;
    ASSERT_EQ(timeNumbers.size(), 3u) << "hours, minutes and seconds: " << time;
    for (const int part : {int(after.wDay), int(after.wMonth), int(after.wYear)})
        EXPECT_NE(std::find(dateNumbers.begin(), dateNumbers.end(), part), dateNumbers.end()) << date;
    // A 12-hour format writes 12 for noon and midnight.
    EXPECT_EQ(timeNumbers[0] % 12, after.wHour % 12) << time;
    EXPECT_EQ(timeNumbers[1], after.wMinute) << time;
    EXPECT_EQ(timeNumbers[2], after.wSecond) << time;

    if (userLocaleName() == L"it-IT") {
        EXPECT_EQ(date, std::to_string(after.wDay) + "/" + std::to_string(after.wMonth) + "/" +
                            std::to_string(after.wYear));
        char expected[16];
        std::snprintf(expected, sizeof expected, "%02d:%02d:%02d", after.wHour, after.wMinute, after.wSecond);
        EXPECT_EQ(time, expected);
    }
}

} // namespace
} // namespace dravelo::platform::win32
