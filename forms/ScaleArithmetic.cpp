#include "forms/ScaleArithmetic.h"

namespace dravelo::forms {

std::optional<ScreenFactors> screenFactors(platform::ScreenSize screen)
{
    if (screen.height == static_cast<float>(kAltezzaBase))
        return std::nullopt;
    ScreenFactors factors;
    factors.FattoreY = screen.height / static_cast<float>(kAltezzaBase);
    factors.FattoreX = screen.width / static_cast<float>(kLarghezzaBase);
    return factors;
}

float scaledValue(float value, float factor)
{
    return factor * value;
}

double fontFactor(const ScreenFactors& factors)
{
    return static_cast<double>(factors.FattoreY) * 0.5 + static_cast<double>(factors.FattoreX) * 0.5;
}

double scaledFontSize(double pointSize, const ScreenFactors& factors)
{
    return pointSize * fontFactor(factors);
}

float centredLeft(float formWidth, float labelWidth)
{
    return (2.0f * formWidth - labelWidth) / 2.0f;
}

} // namespace dravelo::forms
