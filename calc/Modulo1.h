#pragma once
// The composition record: the current fuel's elemental analysis (weight
// percent, as typed: 85.5 means 85.5 %) and the last lower heating value.
// One instance for the whole run, zero at start, never reset or saved.

namespace dravelo::calc {

struct Modulo1 {
    double Carbonio = 0;
    double Idrogeno = 0;
    double Ossigeno = 0;
    double Cloro = 0;
    double Zolfo = 0;
    double Pci = 0;            // kcal/kg, as computed
    double PciArrotondato = 0; // kcal/kg, rounded down to one decimal
};

} // namespace dravelo::calc
