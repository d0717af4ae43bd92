#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace dravelo::platform {

namespace {

constexpr std::string_view kComma = ",";
constexpr std::string_view kPoint = ".";

// Blanks around a number: space, tab and the no-break space.
constexpr std::string_view kBlanks[] = {" ", "\t", "\xC2\xA0"};

// %.15G: significant digits, and the exponent range written without exponent.
constexpr int kSignificantDigits = 15;
constexpr int kSmallestPlainExponent = -4;

// Decimal exponents beyond which the value is surely out of range or surely
// below the smallest double; in between the C library decides.
constexpr std::int64_t kSurelyOverflows = 400;
constexpr std::int64_t kSurelyUnderflows = -400;
// Keeps exponent arithmetic far from the limits of the integer type.
constexpr std::int64_t kExponentClamp = 1'000'000'000;

bool startsWith(std::string_view text, std::string_view prefix)
{
    return !prefix.empty() && text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix)
{
    return !suffix.empty() && text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool contains(std::string_view text, std::string_view part)
{
    return !part.empty() && text.find(part) != std::string_view::npos;
}

std::string_view trimBlanks(std::string_view text)
{
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (std::string_view blank : kBlanks) {
            if (startsWith(text, blank)) {
                text.remove_prefix(blank.size());
                trimmed = true;
            }
            if (endsWith(text, blank)) {
                text.remove_suffix(blank.size());
                trimmed = true;
            }
        }
    }
    return text;
}

// Takes one sign (regional or ASCII) off the front or the back of the text.
enum class Side { Front, Back };
bool takeSign(std::string_view& text, Side side, const NumberFormat& format, bool& negative)
{
    const std::string_view signs[] = {format.negativeSign, "-", format.positiveSign, "+"};
    for (int i = 0; i < 4; ++i) {
        std::string_view sign = signs[i];
        if (side == Side::Front ? startsWith(text, sign) : endsWith(text, sign)) {
            side == Side::Front ? text.remove_prefix(sign.size()) : text.remove_suffix(sign.size());
            negative = i < 2;
            return true;
        }
    }
    return false;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The mantissa as plain digits and the position of the decimal point in them.
struct Mantissa {
    std::string digits;
    std::int64_t pointAt = 0;
};

// Reads digits, group separators (ignored after the first digit) and one
// decimal separator; stops at the first other character.
bool readMantissa(std::string_view& text, const NumberFormat& format, Mantissa& m)
{
    bool seenPoint = false;
    while (!text.empty()) {
        if (isDigit(text.front())) {
            m.digits.push_back(text.front());
            if (!seenPoint)
                ++m.pointAt;
            text.remove_prefix(1);
        } else if (startsWith(text, format.decimalSeparator)) {
            if (seenPoint)
                return false;
            seenPoint = true;
            text.remove_prefix(format.decimalSeparator.size());
        } else if (startsWith(text, format.groupSeparator) && !m.digits.empty()) {
            text.remove_prefix(format.groupSeparator.size());
        } else {
            break;
        }
    }
    return !m.digits.empty();
}

// Reads "E", an optional sign and at least one digit; the value is clamped.
bool readExponent(std::string_view& text, const NumberFormat& format, std::int64_t& exponent)
{
    if (startsWith(text, format.exponential))
        text.remove_prefix(format.exponential.size());
    else if (startsWith(text, "E") || startsWith(text, "e"))
        text.remove_prefix(1);
    else
        return true;
    bool negative = false;
    if (startsWith(text, "-") || startsWith(text, "+")) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !isDigit(text.front()))
        return false;
    while (!text.empty() && isDigit(text.front())) {
        exponent = std::min(exponent * 10 + (text.front() - '0'), kExponentClamp);
        text.remove_prefix(1);
    }
    if (negative)
        exponent = -exponent;
    return true;
}

} // namespace

NumberFormat italianNumberFormat()
{
    return {",", ".", "-", "+", "E"};
}

NumberFormat englishNumberFormat()
{
    return {".", ",", "-", "+", "E"};
}

NumberFormat cNumberFormat()
{
    return {".", "", "-", "+", "E"};
}

std::optional<double> textToDouble(std::string_view text, const NumberFormat& format)
{
    text = trimBlanks(text);
    bool negative = false;
    if (startsWith(text, "(") && endsWith(text, ")") && text.size() >= 2) {
        text = text.substr(1, text.size() - 2);
        negative = true;
    } else if (!takeSign(text, Side::Front, format, negative)) {
        takeSign(text, Side::Back, format, negative);
    }

    Mantissa mantissa;
    std::int64_t exponent = 0;
    if (!readMantissa(text, format, mantissa) || !readExponent(text, format, exponent) || !text.empty())
        return std::nullopt;

    // Normalise to 0.DIGITS e EXP with the leading and trailing zeros gone,
    // so that the magnitude lies in [10^(EXP-1), 10^EXP).
    const double zero = negative ? -0.0 : 0.0;
    const std::string& d = mantissa.digits;
    const auto first = d.find_first_not_of('0');
    if (first == std::string::npos)
        return zero;
    const auto last = d.find_last_not_of('0');
    const std::int64_t scale = exponent + mantissa.pointAt - static_cast<std::int64_t>(first);
    if (scale > kSurelyOverflows)
        return std::nullopt;
    if (scale < kSurelyUnderflows)
        return zero;

    std::string normal = negative ? "-0." : "0.";
    normal.append(d, first, last - first + 1);
    normal += 'e';
    normal += std::to_string(scale);
    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (end != normal.data() + normal.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return scale > 0 ? std::nullopt : std::optional<double>(zero);
    if (error != std::errc() || std::isinf(value))
        return std::nullopt;
    return value;
}

std::optional<double> entryTextToDouble(std::string_view text, const NumberFormat& format)
{
    const auto comma = text.find(kComma);
    if (format.decimalSeparator == kComma || comma == std::string_view::npos)
        return textToDouble(text, format);
    const std::string_view afterComma = text.substr(comma + kComma.size());
    if (contains(afterComma, kComma) || contains(text, kPoint) || contains(text, format.decimalSeparator))
        return std::nullopt;
    NumberFormat commaDecimal = format;
    commaDecimal.decimalSeparator = kComma;
    // Where the comma groups thousands (en_US), it cannot do both.
    if (commaDecimal.groupSeparator == kComma)
        commaDecimal.groupSeparator.clear();
    return textToDouble(text, commaDecimal);
}

std::string doubleToText(double value, const NumberFormat& format)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // d.dddddddddddddde+XX: the digits and the exponent after rounding.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e))
        if (isDigit(c))
            digits.push_back(c);
    int exponent = 0;
    std::string_view exponentText = scientific.substr(e + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    std::string text = value < 0 ? "-" : "";
    const bool exponentForm = exponent < kSmallestPlainExponent || exponent >= kSignificantDigits;
    if (exponentForm) {
        digits.erase(digits.find_last_not_of('0') + 1);
        text += digits.substr(0, 1);
        if (digits.size() > 1)
            text += format.decimalSeparator + digits.substr(1);
        char exponentPart[16];
        std::snprintf(exponentPart, sizeof exponentPart, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return text + exponentPart;
    }
    if (exponent < 0) {
        digits.insert(0, static_cast<std::size_t>(-exponent), '0');
        exponent = 0;
    }
    std::string whole = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
    std::string fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    text += whole;
    if (!fraction.empty())
        text += format.decimalSeparator + fraction;
    return text;
}

} // namespace dravelo::platform
