#pragma once
// "&Calcola": the lower heating value from the composition record.

#include "calc/Modulo1.h"
#include "platform/FormsRuntime.h"

namespace dravelo::calc {

// Computes Pci and PciArrotondato from the record and writes the result
// text into Form2's Text9; on failure tells the user and keeps Text9.
void Command4_Click(platform::FormsRuntime& runtime, Modulo1& record);

} // namespace dravelo::calc
