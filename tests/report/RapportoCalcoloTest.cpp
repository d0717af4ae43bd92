#include "report/RapportoCalcolo.h"

#include <gtest/gtest.h>

namespace dravelo::report {
namespace {

ReportInputs sampleInputs()
{
    return {"Metano", "75", "25", "0", "0", "0,5", "11947,6", "07/12/2026", "10:11:12"};
}

TEST(ComponiRapporto, TitleThenEmptyLineAndEmptyLastLine)
{
    const RapportoCalcolo r = ComponiRapporto(sampleInputs());
    ASSERT_EQ(r.lines[0].size(), 1u);
    EXPECT_EQ(std::get<std::string>(r.lines[0][0]), "Calcolo del potere calorifico dei combustibili");
    EXPECT_TRUE(r.lines[1].empty());
    EXPECT_TRUE(r.lines[11].empty());
}

// Each value line: tab to 6, the label, tab to 50, " = " and the value as
// one item, then the unit as an item of its own.
TEST(ComponiRapporto, ValueLinesInOrderWithSeparatorJoinedToValue)
{
    struct Expected {
        const char* label;
        const char* valueItem;
        const char* unit;
    };
    const Expected expected[] = {
        {"Data rapporto di calcolo", " = 07/12/2026", nullptr},
        {"Ora  rapporto di calcolo", " = 10:11:12", nullptr},
        {"Nome combustibile", " = Metano", nullptr},
        {"Carbonio", " = 75", " % (in peso)"},
        {"Idrogeno", " = 25", " % (in peso)"},
        {"Ossigeno", " = 0", " % (in peso)"},
        {"Cloro", " = 0", " % (in peso)"},
        {"Zolfo", " = 0,5", " % (in peso)"},
        {"Potere calorifico inferiore", " = 11947,6", " kcal/kg"},
    };
    const RapportoCalcolo r = ComponiRapporto(sampleInputs());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].label);
        const ReportLine& line = r.lines[i + 2];
        ASSERT_EQ(line.size(), expected[i].unit ? 5u : 4u);
        EXPECT_EQ(line[0], ReportItem(TabTo{6}));
        EXPECT_EQ(line[1], ReportItem(std::string(expected[i].label)));
        EXPECT_EQ(line[2], ReportItem(TabTo{50}));
        EXPECT_EQ(line[3], ReportItem(std::string(expected[i].valueItem)));
        if (expected[i].unit) {
            EXPECT_EQ(line[4], ReportItem(std::string(expected[i].unit)));
        }
    }
}

TEST(ComponiRapporto, ChlorineComesBeforeSulphur)
{
    ReportInputs in = sampleInputs();
    in.chlorine = "CL";
    in.sulphur = "S";
    const RapportoCalcolo r = ComponiRapporto(in);
    EXPECT_EQ(std::get<std::string>(r.lines[8][3]), " = CL");
    EXPECT_EQ(std::get<std::string>(r.lines[9][3]), " = S");
}

} // namespace
} // namespace dravelo::report
