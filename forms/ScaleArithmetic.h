#pragma once
// The pure arithmetic of the screen scaling: factors from the screen size,
// products rounded to single precision, the font factor in double.

#include "platform/FormsRuntime.h"

#include <cstdint>
#include <optional>

namespace dravelo::forms {

// The reference screen the designs are laid out for, in twips.
inline constexpr long kLarghezzaBase = 9600;
inline constexpr std::int16_t kAltezzaBase = 7200;

struct ScreenFactors {
    float FattoreX = 1;
    float FattoreY = 1;
};

// None when the screen is as high as the reference (the width plays no part).
std::optional<ScreenFactors> screenFactors(platform::ScreenSize screen);

// A position or size on one axis times its factor, in single precision.
float scaledValue(float value, float factor);

// The mean of the two factors, in double.
double fontFactor(const ScreenFactors& factors);
double scaledFontSize(double pointSize, const ScreenFactors& factors);

// Left that puts a label of width labelWidth in the middle of a screen twice
// as wide as the window.
float centredLeft(float formWidth, float labelWidth);

} // namespace dravelo::forms
