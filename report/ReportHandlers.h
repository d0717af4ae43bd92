#pragma once
// Form2's report buttons.

#include "platform/FormsRuntime.h"

namespace dravelo::report {

// "&Salva": asks for a file name and writes the 12-line report.
void Command5_Click(platform::FormsRuntime& runtime);
// "Stam&pa": prints the report on the default printer.
void Command3_Click(platform::FormsRuntime& runtime);

} // namespace dravelo::report
