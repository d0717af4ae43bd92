#pragma once
// Conversions between text and double under the user's regional number
// settings, written by hand because QLocale::toDouble is stricter than the
// conversion the program relies on (it refuses "1.5" under Italian settings,
// where the point is a group separator and the text reads as 15).

#include <optional>
#include <string>
#include <string_view>

namespace dravelo::platform {

struct NumberFormat {
    std::string decimalSeparator = ".";  // UTF-8, usually one character
    std::string groupSeparator = ",";    // UTF-8; may be a no-break space
    std::string negativeSign = "-";
    std::string positiveSign = "+";
    std::string exponential = "E";
};

NumberFormat italianNumberFormat();
NumberFormat englishNumberFormat();
NumberFormat cNumberFormat();

// Text to double: nullopt for text that is no number, or whose magnitude is
// beyond the largest double.
std::optional<double> textToDouble(std::string_view text, const NumberFormat& format);

// Text typed into an entry field to double. The program asks its users for
// the decimal comma, so under settings whose decimal separator is not the
// comma a comma is read as the decimal separator too: "85,5" is 85.5, not 855.
// The point keeps its regional meaning there; a text holding two decimal
// separators, or a comma and a point, is no number. Under comma settings this
// is textToDouble.
std::optional<double> entryTextToDouble(std::string_view text, const NumberFormat& format);

// Double to text in the general format: at most 15 significant digits, no
// trailing zeros, no grouping, exponent form where printf's %.15G uses it.
std::string doubleToText(double value, const NumberFormat& format);

} // namespace dravelo::platform
