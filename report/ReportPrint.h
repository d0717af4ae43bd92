#pragma once
// The printed report: one page on the default printer, 12 point bold.

#include "platform/FormsRuntime.h"
#include "report/RapportoCalcolo.h"

#include <string>

namespace dravelo::report {

inline constexpr float kPrintStartTwips = 500;
inline constexpr double kPrintFontPoints = 12;

// Prints the report and ends the document. Returns the empty text on
// success, or when the user cancelled the printer's own question; otherwise
// the reason.
std::string StampaRapporto(const RapportoCalcolo& report, platform::Printing& printing);

} // namespace dravelo::report
