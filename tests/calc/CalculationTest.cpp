#include "calc/Calculation.h"
#include "tests/calc/Form2Harness.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

using dravelo::calc::kCalculationFailed;
using dravelo::calc::lowerHeatingValue;
using dravelo::calc::Modulo1;
using dravelo::calc::roundDownToTenth;
using dravelo::platform::MsgButtons;
using dravelo::platform::MsgIcon;
using dravelo::testing::Form2Harness;

Modulo1 composition(double C, double H, double O, double Cl, double S)
{
    Modulo1 m;
    m.Carbonio = C;
    m.Idrogeno = H;
    m.Ossigeno = O;
    m.Cloro = Cl;
    m.Zolfo = S;
    return m;
}

// Beyond 2^53 a double has no tenths to drop; the rounding may move the
// last bit.
void expectRounded(double got, double expected)
{
    if (std::fabs(expected) < 0x1p53)
        EXPECT_EQ(got, expected);
    else
        EXPECT_DOUBLE_EQ(got, expected);
}

struct Case {
    const char* what;
    Modulo1 record;
    double PciArrotondato;
    const char* text9; // under Italian settings
};

const Case kCases[] = {
    {"first worked example", composition(85.5, 11.2, 0.8, 0, 2.5), 9493.8, "9493,8"},
    {"second worked example", composition(60, 4, 10, 1.2, 1.5), 5390.2, "5390,2"},
    {"empty record", composition(0, 0, 0, 0, 0), 0, "0"},
    {"carbon alone", composition(100, 0, 0, 0, 0), 7783, "7783"},
    {"oxygen rounds toward minus infinity", composition(0, 0, 50, 0, 0), -1563.6, "-1563,6"},
    {"chlorine is subtracted", composition(0, 0, 0, 1, 0), -4.3, "-4,3"},
    {"70 x 77.83 lies just below 5448.1", composition(70, 0, 0, 0, 0), 5448, "5448"},
    {"hydrogen term cancels", composition(0, 1, 8, 0, 0), 0, "0"},
    {"sulphur alone", composition(0, 0, 0, 0, 4), 100, "100"},
    {"negative percentage", composition(-5, 0, 0, 0, 0), -389.2, "-389,2"},
    {"above 100", composition(150, 0, 0, 0, 0), 11674.5, "11674,5"},
    {"large result in exponent form", composition(1e20, 0, 0, 0, 0), 7.783e21, "7,783E+21"},
    {"Pci x 10 beyond a double", composition(1e306, 0, 0, 0, 0), 1e306 * 77.83, "7,783E+307"},
    {"tiny negative rounds down a tenth", composition(0, 0, 0, 1e-9, 0), -0.1, "-0,1"},
};

TEST(LowerHeatingValue, FollowsTheFormulaInItsOrder)
{
    // The worked example's terms: 2776.85703 + 6654.465 - 0 + 62.541825.
    const Modulo1 m = composition(85.5, 11.2, 0.8, 0, 2.5);
    const double expected = (((11.2 - 0.8 / 8) * 250.1673 + 85.5 * 77.83) - 0 * 4.22505) + 2.5 * 25.01673;
    EXPECT_EQ(lowerHeatingValue(m), expected);
    EXPECT_NEAR(lowerHeatingValue(m), 9493.863855, 1e-9);
    EXPECT_NEAR(lowerHeatingValue(composition(60, 4, 10, 1.2, 1.5)), 5390.21511, 1e-9);
    EXPECT_EQ(lowerHeatingValue(composition(0, 0, 50, 0, 0)), -1563.545625);
    EXPECT_EQ(lowerHeatingValue(composition(70, 0, 0, 0, 0)), 5448.099999999999);
}

TEST(LowerHeatingValue, RoundsDownToOneDecimal)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const std::optional<double> rounded = roundDownToTenth(lowerHeatingValue(c.record));
        ASSERT_TRUE(rounded.has_value());
        expectRounded(*rounded, c.PciArrotondato);
    }
    EXPECT_EQ(*roundDownToTenth(-15635.45625), -15635.5);
    EXPECT_EQ(*roundDownToTenth(-0.0), 0.0);
}

TEST(LowerHeatingValue, HugePciStillRoundsWithinItsPrecision)
{
    for (double pci : {1e308, -1e308, DBL_MAX, -DBL_MAX, 2e307}) {
        const std::optional<double> rounded = roundDownToTenth(pci);
        ASSERT_TRUE(rounded.has_value()) << pci;
        EXPECT_NEAR(*rounded / pci, 1.0, 1e-15) << pci;
    }
}

TEST(LowerHeatingValue, FailsOnlyBeyondTheRangeOfADouble)
{
    const Modulo1 failing[] = {
        composition(1e307, 0, 0, 0, 0),
        composition(-1e307, 0, 0, 0, 0),
        composition(0, 1e307, 0, 0, 0),
        composition(0, 0, 0, 0, 1e308),
        composition(1e307, -1e306, 0, 0, 0),
        composition(1e307, -1e307, 0, 0, 0), // infinities of opposite signs
    };
    for (const Modulo1& m : failing)
        EXPECT_FALSE(roundDownToTenth(lowerHeatingValue(m)).has_value()) << m.Carbonio << " " << m.Idrogeno;
    EXPECT_FALSE(roundDownToTenth(NAN).has_value());
    EXPECT_FALSE(roundDownToTenth(INFINITY).has_value());
    // Large elements whose terms stay within range are computed.
    EXPECT_TRUE(roundDownToTenth(lowerHeatingValue(composition(2e306, 0, 0, 1e307, 0))).has_value());
}

TEST(Command4Click, WritesTheRoundedValueIntoText9)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        Form2Harness form;
        form.record = c.record;
        form.clickCalcola();
        EXPECT_EQ(form.text("Text9"), c.text9);
        expectRounded(form.record.PciArrotondato, c.PciArrotondato);
        EXPECT_EQ(form.record.Pci, lowerHeatingValue(c.record));
        EXPECT_TRUE(form.runtime.messages.empty());
        // The record's elements are read, never written.
        EXPECT_EQ(form.record.Carbonio, c.record.Carbonio);
        EXPECT_EQ(form.record.Cloro, c.record.Cloro);
    }
}

TEST(Command4Click, UsesTheRegionalDecimalSeparator)
{
    Form2Harness form;
    form.runtime.numberFormat_ = dravelo::platform::englishNumberFormat();
    form.record = composition(85.5, 11.2, 0.8, 0, 2.5);
    form.clickCalcola();
    EXPECT_EQ(form.text("Text9"), "9493.8");
}

TEST(Command4Click, AtStartShowsZero)
{
    Form2Harness form;
    form.clickCalcola();
    EXPECT_EQ(form.text("Text9"), "0");
}

TEST(Command4Click, FailureKeepsThePreviousResult)
{
    Form2Harness form;
    form.record = composition(85.5, 11.2, 0.8, 0, 2.5);
    form.clickCalcola();
    ASSERT_EQ(form.text("Text9"), "9493,8");

    form.record.Carbonio = 1e307;
    form.clickCalcola();
    ASSERT_EQ(form.runtime.messages.size(), 1u);
    EXPECT_EQ(form.runtime.messages[0].text, kCalculationFailed);
    EXPECT_EQ(form.runtime.messages[0].text, "Verificare che gli input siano corretti !");
    EXPECT_EQ(form.runtime.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(form.runtime.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(form.text("Text9"), "9493,8");
    EXPECT_EQ(form.record.PciArrotondato, 9493.8);
    EXPECT_EQ(form.record.Carbonio, 1e307);
    EXPECT_FALSE(std::isfinite(form.record.Pci));

    // Corrected input computes again.
    form.record.Carbonio = 100;
    form.clickCalcola();
    EXPECT_EQ(form.text("Text9"), "10622,3");
    EXPECT_EQ(form.runtime.messages.size(), 1u);
}

TEST(Command4Click, FailureKeepsWhatTheUserTypedIntoText9)
{
    Form2Harness form;
    form.typeInto("Text9", "scritto a mano");
    form.record.Idrogeno = 1e307;
    form.clickCalcola();
    EXPECT_EQ(form.text("Text9"), "scritto a mano");
    EXPECT_EQ(form.record.PciArrotondato, 0);
}

TEST(Command4Click, PressedTwiceGivesTheSameText)
{
    Form2Harness form;
    form.record = composition(60, 4, 10, 1.2, 1.5);
    form.clickCalcola();
    form.typeInto("Text9", "altro");
    form.clickCalcola();
    EXPECT_EQ(form.text("Text9"), "5390,2");
}

} // namespace
