#pragma once
// The printed report: one page on the default printer, 12 point bold.

#include "platform/FormsRuntime.h"
#include "report/RapportoCalcolo.h"

#include <string>

namespace dravelo::report {

inline constexpr float kPrintStartTwips = 500;
inline constexpr double kPrintFontPoints = 12;

// What became of a print: why it did not go out (empty on success, and
// when the user cancelled the printer's own question), and what the user
// must still know about one that did.
struct PrintOutcome {
    std::string failure;
    std::string notice;
};

// Prints the report and ends the document.
PrintOutcome StampaRapporto(const RapportoCalcolo& report, platform::Printing& printing);

} // namespace dravelo::report
