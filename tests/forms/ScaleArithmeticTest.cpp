#include "forms/ScaleArithmetic.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dravelo::forms {
namespace {

constexpr float kTwipsPerPixelAt96 = 15;
constexpr float kTwipsPerPixelAt120 = 12;

struct ScreenCase {
    const char* name;
    platform::ScreenSize screen;
    bool scales;
    float FattoreX;
    float FattoreY;
};

// Factors as the nearest single-precision values of the exact ratios.
const ScreenCase kScreens[] = {
    {"640x480@96", {640 * kTwipsPerPixelAt96, 480 * kTwipsPerPixelAt96}, false, 0, 0},
    {"800x600@120", {800 * kTwipsPerPixelAt120, 600 * kTwipsPerPixelAt120}, false, 0, 0},
    {"800x480@96", {800 * kTwipsPerPixelAt96, 480 * kTwipsPerPixelAt96}, false, 0, 0},
    {"800x600@96", {800 * kTwipsPerPixelAt96, 600 * kTwipsPerPixelAt96}, true, 1.25f, 1.25f},
    {"1024x768@96", {1024 * kTwipsPerPixelAt96, 768 * kTwipsPerPixelAt96}, true, 1.60000002384185791015625f,
     1.60000002384185791015625f},
    {"640x480@120", {640 * kTwipsPerPixelAt120, 480 * kTwipsPerPixelAt120}, true, 0.800000011920928955078125f,
     0.800000011920928955078125f},
    {"1280x1024@96", {1280 * kTwipsPerPixelAt96, 1024 * kTwipsPerPixelAt96}, true, 2.0f,
     2.1333334445953369140625f},
    {"wide but reference height", {50000, 7200}, false, 0, 0},
    {"reference width, taller", {9600, 14400}, true, 1.0f, 2.0f},
};

TEST(ScreenFactors, DecidedByHeightAloneAndRoundedToSingle)
{
    for (const ScreenCase& c : kScreens) {
        SCOPED_TRACE(c.name);
        const std::optional<ScreenFactors> factors = screenFactors(c.screen);
        ASSERT_EQ(factors.has_value(), c.scales);
        if (factors) {
            EXPECT_EQ(factors->FattoreX, c.FattoreX);
            EXPECT_EQ(factors->FattoreY, c.FattoreY);
        }
    }
}

TEST(ScreenFactors, HeightJustOffTheReferenceStillScales)
{
    const float justBelow = std::nextafter(7200.0f, 0.0f);
    const std::optional<ScreenFactors> factors = screenFactors({9600, justBelow});
    ASSERT_TRUE(factors.has_value());
    EXPECT_LT(factors->FattoreY, 1.0f);
    EXPECT_EQ(factors->FattoreX, 1.0f);
}

struct ValueCase {
    float value;
    float factor;
    float expected;
};

TEST(ScaledValue, ProductRoundedToSingle)
{
    const ValueCase cases[] = {
        {3120, 1.25f, 3900},
        {1095, 1.25f, 1368.75f},
        {285, 1.25f, 356.25f},
        {9120, 1.25f, 11400},
        {0, 1.25f, 0},
        {3120, 1.60000002384185791015625f, 4992},
        {285, 1.60000002384185791015625f, 456},
        {3120, 0.800000011920928955078125f, 2496},
        // 1365 x 2.1333334 is 2912.00024..., which single precision keeps.
        {1365, 2.1333334445953369140625f, 2912.000244140625f},
        {285, 2.1333334445953369140625f, 608.0000610351562f},
        // frmAbout's scale units are fractional.
        {5380.766f, 1.25f, 6725.95751953125f},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(scaledValue(c.value, c.factor), c.expected);
    }
}

TEST(FontFactor, MeanOfFactorsInDouble)
{
    EXPECT_EQ(fontFactor({1.25f, 1.25f}), 1.25);
    EXPECT_EQ(scaledFontSize(8.25, {1.25f, 1.25f}), 10.3125);
    EXPECT_EQ(scaledFontSize(13.5, {1.25f, 1.25f}), 16.875);

    // Each half is exact in double, so the factor carries the single
    // precision error of FattoreY, not a further rounding to single.
    const ScreenFactors large{2.0f, 2.1333334445953369140625f};
    EXPECT_EQ(fontFactor(large), 2.06666672229766845703125);
    EXPECT_NE(fontFactor(large), static_cast<double>(static_cast<float>(fontFactor(large))));
    EXPECT_NEAR(scaledFontSize(8.25, large), 17.05, 1e-6);

    const ScreenFactors small{0.800000011920928955078125f, 0.800000011920928955078125f};
    EXPECT_EQ(scaledFontSize(8.25, small), 8.25 * 0.800000011920928955078125);
    EXPECT_NEAR(scaledFontSize(8.25, small), 6.6, 1e-6);
}

TEST(CentredLeft, TwiceTheWindowWidthLessTheLabelHalved)
{
    EXPECT_EQ(centredLeft(4800, 8400), 600);
    EXPECT_EQ(centredLeft(6000, 10500), 750);
    EXPECT_EQ(centredLeft(6000, 2925), 4537.5f);
    // A label wider than the screen goes left of the window.
    EXPECT_EQ(centredLeft(4800, 10000), -200);
    // Single precision all through (in double this would be 16777211.5).
    EXPECT_EQ(centredLeft(16777213.0f, 3.0f), 16777212.0f);
}

} // namespace
} // namespace dravelo::forms
