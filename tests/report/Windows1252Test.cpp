#include "report/Windows1252.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cctype>

namespace dravelo::report {
namespace {

struct Case {
    const char* what;
    std::string utf8;
    std::string expected;
};

// Named by what the case is about, so test listings stay readable.
void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.what;
}

class Windows1252Test : public ::testing::TestWithParam<Case> {};

TEST_P(Windows1252Test, OneBytePerCharacter)
{
    EXPECT_EQ(toWindows1252(GetParam().utf8), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Windows1252Test,
    ::testing::Values(
        Case{"ascii unchanged", "Metano 85,5", "Metano 85,5"},
        Case{"empty", "", ""},
        Case{"italian letters", "Gasolio più pesante", "Gasolio pi\xF9 pesante"},
        Case{"accents", "àèéìòù ÀÈ", "\xE0\xE8\xE9\xEC\xF2\xF9 \xC0\xC8"},
        Case{"euro and dash in the 0x80 block", "€ – “x”", "\x80 \x96 \x93x\x94"},
        Case{"no-break space", "1\xC2\xA0" "000", "1\xA0" "000"},
        Case{"C1 controls are no text", "a\xC2\x81\xC2\x85" "b", "a??b"},
        Case{"greek letter the page lacks", "CH\xCE\xA9", "CH?"},
        Case{"two CJK characters", "日本", "??"},
        Case{"four-byte character", "a\xF0\x9F\x94\xA5" "b", "a?b"},
        Case{"stray bytes each become one ?", "a\xFF\xFE" "b", "a??b"},
        Case{"lone continuation byte", "x\x80y", "x?y"},
        Case{"sequence cut at the end", "abc\xC3", "abc?"},
        Case{"three-byte sequence cut short", "\xE2\x82z", "??z"},
        Case{"encoded surrogate", "\xED\xA0\x80", "???"},
        Case{"overlong slash", "\xC0\xAF", "??"},
        Case{"embedded nul kept", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(Windows1252, LongTextCrossesTheConversionBuffer)
{
    std::string utf8, expected;
    for (int i = 0; i < 1000; ++i) {
        utf8 += "ù€Ω";
        expected += "\xF9\x80?";
    }
    EXPECT_EQ(toWindows1252(utf8), expected);
}

} // namespace
} // namespace dravelo::report
