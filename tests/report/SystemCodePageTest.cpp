// The report's field texts in the system's code page, as Windows' regional
// settings set it: a Polish, a Russian and an Italian Windows each write the
// same names differently, and "?" for a letter their code page lacks. The
// script code-pages.sh runs these under each of those settings and names
// the code page they should give (DRAVELO_EXPECTED_CODE_PAGE).

#include "report/ReportFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace dravelo::report {
namespace {

struct Spellings {
    UINT codePage;
    const char* polish;  // "Węgiel"
    const char* russian; // "Уголь"
    const char* italian; // "più €"
};

constexpr Spellings kByCodePage[] = {
    {1250, "W\xEAgiel", "?????", "pi? \x80"},
    {1251, "W?giel", "\xD3\xE3\xEE\xEB\xFC", "pi? \x88"},
    {1252, "W?giel", "?????", "pi\xF9 \x80"},
};

// The fuel name's line of the saved report, from the value column on.
std::string savedFuelName(const std::string& name)
{
    ReportInputs inputs;
    inputs.fuelName = name;
    const std::string bytes = renderReport(ComponiRapporto(inputs));
    std::size_t begin = 0;
    for (int line = 0; line < 4; ++line)
        begin = bytes.find("\r\n", begin) + 2;
    const std::size_t end = bytes.find("\r\n", begin);
    return bytes.substr(begin, end - begin).substr(kValueColumn - 1 + 3);
}

TEST(SystemCodePage, IsTheOneTheRegionalSettingsGive)
{
    const char* expected = std::getenv("DRAVELO_EXPECTED_CODE_PAGE");
    if (!expected)
        GTEST_SKIP() << "no code page named for these settings";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST(SystemCodePage, ReportWritesTheFieldsInIt)
{
    const UINT codePage = GetACP();
    for (const Spellings& spellings : kByCodePage) {
        if (spellings.codePage != codePage)
            continue;
        EXPECT_EQ(savedFuelName("Węgiel"), spellings.polish);
        EXPECT_EQ(savedFuelName("Уголь"), spellings.russian);
        EXPECT_EQ(savedFuelName("più €"), spellings.italian);
        return;
    }
    GTEST_SKIP() << "no spellings known for code page " << codePage;
}

} // namespace
} // namespace dravelo::report
