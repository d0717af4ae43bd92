#pragma once
// "&Calcola": the lower heating value from the composition record.

#include "calc/Modulo1.h"
#include "platform/FormsRuntime.h"

#include <optional>

namespace dravelo::calc {

inline constexpr const char* kCalculationFailed = "Verificare che gli input siano corretti !";

// Pci in kcal/kg from the record's five percentages, every operation in
// double precision in the fixed order of the formula. Not finite when an
// element is too large.
double lowerHeatingValue(const Modulo1& record);

// Pci rounded toward minus infinity to one decimal; nullopt when Pci or the
// result is not a finite double.
std::optional<double> roundDownToTenth(double Pci);

// Computes Pci and PciArrotondato from the record and writes the result
// text into Form2's Text9; on failure tells the user and keeps Text9.
void Command4_Click(platform::FormsRuntime& runtime, Modulo1& record);

} // namespace dravelo::calc
