// Fuzzes the regional number text. The first byte picks the regional settings
// and what the rest is: text typed into a field, or the eight bytes of any
// double to be shown. Checked for every input:
// - textToDouble accepts only finite values;
// - entryTextToDouble accepts only finite values, and reads as textToDouble
//   under comma settings and for any text without a comma;
// - the text shown for a value reads back, and showing that again gives the
//   same text (15 significant digits survive the trip through a double);
// - the value read back lies within the rounding of 15 significant digits.
// The one exception: a value whose 15-digit text rounds up past the largest
// double cannot be read back, as that text is out of range.

#include "platform/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

using namespace dravelo::platform;

// The largest value written with 15 significant digits that is still a
// double; larger magnitudes are shown as 1.79769313486232E+308.
constexpr double kLargestReadBack = 1.79769313486231e308;
// Half a unit in the 15th significant digit, with room for the rounding of
// the double read back.
constexpr double kRelativeRounding = 1e-14;
constexpr int kSignificantDigits = 15;

NumberFormat pickFormat(std::uint8_t selector)
{
    switch (selector % 4) {
    case 0:
        return italianNumberFormat();
    case 1:
        return englishNumberFormat();
    case 2:
        return cNumberFormat();
    default: {
        // Settings with multi-byte separators: a no-break space between
        // groups and a typographic minus, as some locales have.
        NumberFormat format = italianNumberFormat();
        format.groupSeparator = "\xC2\xA0";
        format.negativeSign = "\xE2\x88\x92";
        return format;
    }
    }
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// Significant digits of a shown value: those of the mantissa after its
// leading zeros.
int significantDigits(std::string_view text)
{
    const auto exponent = text.find('E');
    int count = 0;
    bool leading = true;
    for (char c : text.substr(0, exponent)) {
        if (c < '0' || c > '9')
            continue;
        if (leading && c == '0')
            continue;
        leading = false;
        ++count;
    }
    return count;
}

void checkShownValue(double value, const NumberFormat& format)
{
    if (!std::isfinite(value))
        return;
    const std::string text = doubleToText(value, format);
    if (significantDigits(text) > kSignificantDigits)
        fail("more than 15 significant digits shown");
    const auto readBack = textToDouble(text, format);
    if (!readBack) {
        if (std::fabs(value) > kLargestReadBack)
            return;
        fail("a shown value does not read back");
    }
    if (doubleToText(*readBack, format) != text)
        fail("the shown text changes on a second trip");
    const double tolerance = kRelativeRounding * std::fabs(value) + std::numeric_limits<double>::denorm_min();
    if (std::fabs(*readBack - value) > tolerance)
        fail("the value read back is off by more than the rounding");
    if (value != 0 && std::signbit(*readBack) != std::signbit(value))
        fail("the sign is lost");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const NumberFormat format = pickFormat(data[0]);
    const bool typedText = (data[0] & 0x80) == 0;
    ++data;
    --size;

    if (typedText) {
        const std::string_view text(reinterpret_cast<const char*>(data), size);
        const auto value = textToDouble(text, format);
        const auto entered = entryTextToDouble(text, format);
        if (entered && !std::isfinite(*entered))
            fail("an accepted entry gives a value that is not finite");
        if ((format.decimalSeparator == "," || text.find(',') == std::string_view::npos) && entered != value)
            fail("an entry reads otherwise than the regional conversion");
        if (!value)
            return 0;
        if (!std::isfinite(*value))
            fail("an accepted text gives a value that is not finite");
        checkShownValue(*value, format);
    } else if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        checkShownValue(value, format);
    }
    return 0;
}
