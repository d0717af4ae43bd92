#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

using dravelo::platform::cNumberFormat;
using dravelo::platform::doubleToText;
using dravelo::platform::englishNumberFormat;
using dravelo::platform::entryTextToDouble;
using dravelo::platform::italianNumberFormat;
using dravelo::platform::NumberFormat;
using dravelo::platform::textToDouble;

const char* const kNbsp = "\xC2\xA0";

struct Reading {
    std::string text;
    std::optional<double> expected; // nullopt: refused
};

using Reader = std::optional<double> (*)(std::string_view, const NumberFormat&);

void expectReadings(const NumberFormat& format, const std::vector<Reading>& table, Reader read = textToDouble)
{
    for (const Reading& r : table) {
        SCOPED_TRACE("text \"" + r.text + "\"");
        const std::optional<double> got = read(r.text, format);
        ASSERT_EQ(got.has_value(), r.expected.has_value());
        if (r.expected) {
            EXPECT_EQ(*got, *r.expected);
            EXPECT_EQ(std::signbit(*got), std::signbit(*r.expected));
        }
    }
}

std::vector<Reading> italianReadings()
{
    return {
        {"85,5", 85.5},
        {"0", 0.0},
        {"12,5", 12.5},
        {"1.5", 15.0},              // the point groups thousands
        {"1.234,5", 1234.5},
        {"1.2.3", 123.0},
        {"12.", 12.0},              // a trailing group separator is ignored too
        {"85.5.", 855.0},
        {",5", 0.5},
        {"5,", 5.0},
        {"-5", -5.0},
        {"5-", -5.0},
        {"+5", 5.0},
        {"5+", 5.0},
        {"(5)", -5.0},
        {"(1.000,25)", -1000.25},
        {"150", 150.0},
        {"\t2,5\t", 2.5},
        {std::string(kNbsp) + "2,5" + kNbsp, 2.5},
        {"1E3", 1000.0},
        {"1e3", 1000.0},
        {"2,5E-2", 0.025},
        {"2,5e+2", 250.0},
        {"1E+20", 1e20},
        {"1E+307", 1e307},
        {"-0", -0.0},
        {"0,0000", 0.0},
        {"1E-400", 0.0},             // below the smallest double
        {"-1E-400", -0.0},
        {"1E-320", 1e-320},          // subnormals are kept
        {"1,7976931348623157E+308", DBL_MAX},
        {"0,1", 0.1},
        // refused
        {"", std::nullopt},
        {"   ", std::nullopt},
        {kNbsp, std::nullopt},
        {".5", std::nullopt},        // a group separator before any digit
        {"1,2,3", std::nullopt},     // a second decimal separator
        {",", std::nullopt},
        {"-", std::nullopt},
        {"()", std::nullopt},
        {"(-5)", std::nullopt},
        {"-5-", std::nullopt},
        {"--5", std::nullopt},
        {"- 5", std::nullopt},
        {"1 2", std::nullopt},       // blanks between digits
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"Infinity", std::nullopt},
        {"0x10", std::nullopt},
        {"1E", std::nullopt},
        {"1E+", std::nullopt},
        {"E5", std::nullopt},
        {"1E5,5", std::nullopt},
        {"1E400", std::nullopt},     // beyond the largest double
        {"-1E400", std::nullopt},
        {"1,8E+308", std::nullopt},
        {"1E999999999999999999999999", std::nullopt},
        {"1E-999999999999999999999999", 0.0},
        {"0E999999999999", 0.0},
    };
}

TEST(TextToDouble, ItalianSettings)
{
    expectReadings(italianNumberFormat(), italianReadings());
}

TEST(TextToDouble, EnglishSettings)
{
    expectReadings(englishNumberFormat(), {
        {"85.5", 85.5},
        {"1,234.5", 1234.5},
        {"1,5", 15.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"(2.5)", -2.5},
        {"2.5-", -2.5},
        {"1.5e3", 1500.0},
        {"85,5", 855.0},
        {",5", std::nullopt},
        {"1.2.3", std::nullopt},
    });
}

// Italian-style settings: the entry fields read exactly as the regional
// conversion does, "1.5" as 15 included.
TEST(EntryTextToDouble, CommaSettingsReadAsTheRegionalConversion)
{
    expectReadings(italianNumberFormat(), italianReadings(), entryTextToDouble);
}

// Elsewhere the comma the program asks for is a decimal separator too; the
// point keeps its regional meaning, and two separators make no number.
TEST(EntryTextToDouble, CommaIsADecimalSeparatorUnderOtherSettings)
{
    expectReadings(englishNumberFormat(), {
        {"85,5", 85.5},
        {"85.5", 85.5},
        {"1,234", 1.234},            // the comma no longer groups
        {",5", 0.5},
        {"5,", 5.0},
        {"-0,8", -0.8},
        {"(2,5)", -2.5},
        {" 2,5 ", 2.5},
        {"2,5E-2", 0.025},
        {"1,7976931348623157E+308", DBL_MAX},
        {"1,234.5", std::nullopt},
        {"1.2,5", std::nullopt},
        {"1,2,3", std::nullopt},
        {"1.2.3", std::nullopt},
        {",", std::nullopt},
        {"1,8E+308", std::nullopt},
    }, entryTextToDouble);

    NumberFormat swiss = englishNumberFormat();
    swiss.groupSeparator = "\xE2\x80\x99"; // U+2019, as glibc and Qt have it for de_CH and it_CH
    expectReadings(swiss, {
        {"85,5", 85.5},
        {"1\xE2\x80\x99" "234,5", 1234.5},
        {"1\xE2\x80\x99" "234.5", 1234.5},
        {"1'234,5", std::nullopt},   // the ASCII apostrophe is not the separator
        {"2,5.1", std::nullopt},
    }, entryTextToDouble);

    expectReadings(cNumberFormat(), {{"85,5", 85.5}, {"1,000", 1.0}, {"1,000.5", std::nullopt}}, entryTextToDouble);

    // A decimal separator that is neither: the Arabic one, U+066B.
    NumberFormat arabic = englishNumberFormat();
    arabic.decimalSeparator = "\xD9\xAB";
    arabic.groupSeparator = "\xD9\xAC";
    expectReadings(arabic, {
        {"85,5", 85.5},
        {"85\xD9\xAB" "5", 85.5},
        {"8,5\xD9\xAB" "5", std::nullopt},
        {"85.5", std::nullopt},
    }, entryTextToDouble);
}

TEST(TextToDouble, CSettingsHaveNoGroupSeparator)
{
    expectReadings(cNumberFormat(), {
        {"85.5", 85.5},
        {"85,5", std::nullopt},
        {"1,000", std::nullopt},
        {"-0.25", -0.25},
        {"1E-05", 1e-5},
    });
}

TEST(TextToDouble, IsCorrectlyRounded)
{
    const NumberFormat c = cNumberFormat();
    // Halfway between 1 and the next double: ties to even, and a digit far
    // beyond the 17th decides the direction.
    EXPECT_EQ(*textToDouble("1.00000000000000011102230246251565404236316680908203125", c), 1.0);
    EXPECT_EQ(*textToDouble("1.00000000000000011102230246251565404236316680908203126", c),
              std::nextafter(1.0, 2.0));
    EXPECT_EQ(*textToDouble("0.30000000000000004", c), 0.1 + 0.2);
    const std::string longOnes(5000, '1');
    EXPECT_EQ(*textToDouble("0." + longOnes, c), 1.0 / 9.0);
}

TEST(TextToDouble, VeryLongTextIsHandled)
{
    const NumberFormat it = italianNumberFormat();
    const std::string zeros(100000, '0');
    EXPECT_EQ(*textToDouble(zeros + "7", it), 7.0);
    EXPECT_EQ(*textToDouble("0," + zeros + "1E+100001", it), 1.0);
    EXPECT_FALSE(textToDouble("1" + zeros, it).has_value());
    EXPECT_FALSE(textToDouble(std::string(100000, 'x'), it).has_value());
}

TEST(TextToDouble, NoBreakSpaceCanGroupThousands)
{
    NumberFormat french = italianNumberFormat();
    french.groupSeparator = kNbsp;
    EXPECT_EQ(*textToDouble(std::string("1") + kNbsp + "234,5", french), 1234.5);
    EXPECT_FALSE(textToDouble("1 234,5", french).has_value());
}

struct Writing {
    double value;
    std::string expected;
};

void expectWritings(const NumberFormat& format, const std::vector<Writing>& table)
{
    for (const Writing& w : table) {
        SCOPED_TRACE(w.expected);
        EXPECT_EQ(doubleToText(w.value, format), w.expected);
    }
}

TEST(DoubleToText, ItalianSettings)
{
    expectWritings(italianNumberFormat(), {
        {9493.8, "9493,8"},
        {-1563.6, "-1563,6"},
        {7783, "7783"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {0.0001, "0,0001"},
        {0.00001, "1E-05"},
        {7.783e21, "7,783E+21"},
        {1.0 / 3.0, "0,333333333333333"},
        {0, "0"},
        {-0.0, "0"},
        {-4.3, "-4,3"},
        {5448, "5448"},
        {1234567.5, "1234567,5"},                // no grouping
        {9999999999999999.0, "1E+16"},           // rounding lifts the exponent
        {999999999999999.4, "999999999999999"},
        {999999999999999.6, "1E+15"},
        {0.000099999999999999999, "0,0001"},     // rounds up into plain form
        {0.00009999999999999, "9,999999999999E-05"},
        {123456789012345678.0, "1,23456789012346E+17"},
        {1e100, "1E+100"},
        {-2.5e-300, "-2,5E-300"},
        {DBL_MAX, "1,79769313486232E+308"},
        {4.9406564584124654e-324, "4,94065645841247E-324"},
        {0.1, "0,1"},
        {100, "100"},
        {-0.5, "-0,5"},
    });
}

TEST(DoubleToText, EnglishAndCUseThePoint)
{
    expectWritings(englishNumberFormat(), {{9493.8, "9493.8"}, {1234567.25, "1234567.25"}, {7.783e21, "7.783E+21"}});
    expectWritings(cNumberFormat(), {{-1563.6, "-1563.6"}, {0.00001, "1E-05"}, {1.0 / 3.0, "0.333333333333333"}});
}

TEST(DoubleToText, MatchesPrintfGeneralFormat)
{
    // printf runs under the "C" locale here, so only the separator differs.
    const double samples[] = {1, 12.5, 0.1 + 0.2, 1e14, 1e15, 123456789.123456789, 1e-4, 1.5e-5, 3e-7,
                              6.02214076e23, -9.87654321e-12, 5448.099999999999, 54480.99999999999, 2.0 / 3.0,
                              1e16 - 2, 65536.0 * 65536.0 * 65536.0, 1e-310, 9.5, 0.5e-4};
    for (double v : samples) {
        for (double x : {v, -v}) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.15G", x);
            EXPECT_EQ(doubleToText(x, cNumberFormat()), expected) << x;
        }
    }
}

// Random doubles of every magnitude against the C library, which runs under
// the "C" locale here (the test never calls setlocale).
TEST(NumberText, AgreesWithTheCLibraryOnRandomDoubles)
{
    std::mt19937_64 bits(20261207);
    for (int i = 0; i < 50000; ++i) {
        const std::uint64_t pattern = bits();
        double value;
        std::memcpy(&value, &pattern, sizeof value);
        if (!std::isfinite(value))
            continue;
        char general[64];
        std::snprintf(general, sizeof general, "%.15G", value);
        ASSERT_EQ(doubleToText(value, cNumberFormat()), value == 0 ? "0" : general);
        char exact[64];
        std::snprintf(exact, sizeof exact, "%.17g", value);
        const std::optional<double> read = textToDouble(exact, cNumberFormat());
        ASSERT_TRUE(read.has_value()) << exact;
        ASSERT_EQ(*read, std::strtod(exact, nullptr)) << exact;
    }
}

TEST(DoubleToText, ReadsBackUnderTheSameSettings)
{
    for (const NumberFormat& format : {italianNumberFormat(), englishNumberFormat(), cNumberFormat()}) {
        for (double v : {9493.8, -1563.6, 7.783e21, 1e-5, 1234567.5, 0.0}) {
            const std::optional<double> back = textToDouble(doubleToText(v, format), format);
            ASSERT_TRUE(back.has_value()) << v;
            EXPECT_EQ(*back, v);
        }
    }
}

} // namespace
