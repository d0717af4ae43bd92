#pragma once
// Adapts a window and its controls, when it loads, from the 9600 x 7200
// twip reference screen to the actual screen.

#include "platform/FormsRuntime.h"

#include <cstdint>
#include <string>

namespace dravelo::forms {

// A window's own scaling values.
struct ScalingValues {
    long LarghezzaBase = 0;
    std::int16_t AltezzaBase = 0;
    float FattoreX = 0;
    float FattoreY = 0;
};

// The first part of every Form_Load. Returns true when the window was scaled.
bool scaleForm(platform::WindowSystem& windows, const std::string& form, ScalingValues& values);

// Form1 only, after scaleForm scaled it: centres Label3, then Label4.
void centreTitles(platform::WindowSystem& windows, const std::string& form);

} // namespace dravelo::forms
