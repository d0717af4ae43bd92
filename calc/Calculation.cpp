#include "calc/Calculation.h"

#include "forms/ControlNames.h"

#include <cmath>

namespace dravelo::calc {

namespace {

constexpr double kOxygenDivisor = 8;
constexpr double kHydrogenFactor = 250.1673;
constexpr double kCarbonFactor = 77.83;
constexpr double kChlorineFactor = 4.22505;
constexpr double kSulphurFactor = 25.01673;
constexpr double kTenths = 10;
// Scaling by a power of two is exact, so it lends Pci × 10 the exponent
// range a double lacks near its largest values.
constexpr double kRangeShift = 16;

} // namespace

double lowerHeatingValue(const Modulo1& record)
{
    const double a = record.Ossigeno / kOxygenDivisor;
    const double b = record.Idrogeno - a;
    double t = b * kHydrogenFactor;
    t = t + record.Carbonio * kCarbonFactor;
    t = t - record.Cloro * kChlorineFactor;
    t = t + record.Zolfo * kSulphurFactor;
    return t;
}

std::optional<double> roundDownToTenth(double Pci)
{
    if (!std::isfinite(Pci))
        return std::nullopt;
    const double u = Pci * kTenths;
    double rounded;
    if (std::isfinite(u)) {
        rounded = std::floor(u) / kTenths;
    } else {
        // |Pci × 10| is beyond a double but, being that large, already an
        // integer: the floor changes nothing and only the division remains.
        const double shiftedU = (Pci / kRangeShift) * kTenths;
        rounded = (shiftedU / kTenths) * kRangeShift;
    }
    if (!std::isfinite(rounded))
        return std::nullopt;
    return rounded;
}

void Command4_Click(platform::FormsRuntime& runtime, Modulo1& record)
{
    record.Pci = lowerHeatingValue(record);
    const std::optional<double> rounded = roundDownToTenth(record.Pci);
    if (!rounded) {
        runtime.msgBox(kCalculationFailed, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return;
    }
    record.PciArrotondato = *rounded;
    runtime.setText({forms::kForm2, forms::form2::kText9}, platform::doubleToText(record.PciArrotondato, runtime.numberFormat()));
}

} // namespace dravelo::calc
