#pragma once
// The report file: plain 8-bit text, blanks up to each tab column, CR LF
// after every line, nothing else.

#include "platform/FormsRuntime.h"
#include "report/RapportoCalcolo.h"

#include <string>

namespace dravelo::report {

// The file's bytes, in the system's code page.
std::string renderReport(const RapportoCalcolo& report);

// The user's answer, unexamined, followed by ".TXT".
std::string nomeFileRapporto(const std::string& answer);

// Writes the report to the file, replacing an earlier one only when the
// write succeeds. Returns the empty text on success, otherwise the reason.
std::string SalvaRapporto(const RapportoCalcolo& report, const std::string& fileName, platform::FileSystem& files);

} // namespace dravelo::report
