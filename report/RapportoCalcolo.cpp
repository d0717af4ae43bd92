#include "report/RapportoCalcolo.h"

namespace dravelo::report {

namespace {

constexpr const char* kSeparator = " = ";
constexpr const char* kPercentUnit = " % (in peso)";
constexpr const char* kHeatUnit = " kcal/kg";

// Label at column 6, then " = " and the value as one item at column 50,
// then the unit, if any, as an item of its own.
ReportLine labelledLine(const std::string& label, const std::string& value, const char* unit = nullptr)
{
    ReportLine line{TabTo{kLabelColumn}, label, TabTo{kValueColumn}, kSeparator + value};
    if (unit)
        line.emplace_back(std::string(unit));
    return line;
}

} // namespace

RapportoCalcolo ComponiRapporto(const ReportInputs& in)
{
    return RapportoCalcolo{{
        ReportLine{std::string(kReportTitle)},
        ReportLine{},
        labelledLine("Data rapporto di calcolo", in.date),
        labelledLine("Ora  rapporto di calcolo", in.time),
        labelledLine("Nome combustibile", in.fuelName),
        labelledLine("Carbonio", in.carbon, kPercentUnit),
        labelledLine("Idrogeno", in.hydrogen, kPercentUnit),
        labelledLine("Ossigeno", in.oxygen, kPercentUnit),
        labelledLine("Cloro", in.chlorine, kPercentUnit),
        labelledLine("Zolfo", in.sulphur, kPercentUnit),
        labelledLine("Potere calorifico inferiore", in.lowerHeatingValue, kHeatUnit),
        ReportLine{},
    }};
}

} // namespace dravelo::report
