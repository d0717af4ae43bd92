#pragma once
// The calculation report's content: 12 lines of texts and tabs to a column,
// shared by the report file and the printed report.

#include <array>
#include <string>
#include <variant>
#include <vector>

namespace dravelo::report {

// The next item begins at this column (counted from 1).
struct TabTo {
    int column;
    bool operator==(const TabTo&) const = default;
};

// A text written unchanged (UTF-8), or a tab.
using ReportItem = std::variant<std::string, TabTo>;
using ReportLine = std::vector<ReportItem>;

inline constexpr int kReportLines = 12;

struct RapportoCalcolo {
    std::array<ReportLine, kReportLines> lines;
};

// The nine texts a report is made of, taken as they are.
struct ReportInputs {
    std::string fuelName;
    std::string carbon;
    std::string hydrogen;
    std::string oxygen;
    std::string chlorine;
    std::string sulphur;
    std::string lowerHeatingValue;
    std::string date;
    std::string time;
};

inline constexpr const char* kReportTitle = "Calcolo del potere calorifico dei combustibili";
inline constexpr int kLabelColumn = 6;
inline constexpr int kValueColumn = 50;

RapportoCalcolo ComponiRapporto(const ReportInputs& inputs);

} // namespace dravelo::report
