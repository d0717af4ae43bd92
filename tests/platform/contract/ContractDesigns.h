#pragma once
// Small windows that exercise every semantic of a forms runtime, apart from
// the program's own designs.

#include "platform/FormDesign.h"

#include <vector>

namespace dravelo::testing::contract {

inline constexpr const char* kMain = "Main";
inline constexpr const char* kOther = "Other";
inline constexpr const char* kScaled = "Scaled";
inline constexpr const char* kDialog = "Dialog"; // a field, a default and a cancel button

inline constexpr const char* kField1 = "Field1";
inline constexpr const char* kField2 = "Field2";
inline constexpr const char* kGo = "Go";       // "&Go"
inline constexpr const char* kFitted = "Fitted"; // a self-sizing label
inline constexpr const char* kFixed = "Fixed";   // a label of fixed size
inline constexpr const char* kRule = "Rule";     // a line
inline constexpr const char* kOtherButton = "OtherButton";
inline constexpr const char* kOk = "Ok";         // "OK", the default button
inline constexpr const char* kCancel = "Cancel"; // "Annulla", the cancel button

// The units of kScaled: its client area is 3000 x 1500 twips, its scale
// 1000 x 1000.
inline constexpr float kScaledTwipsAcross = 3;
inline constexpr float kScaledTwipsDown = 1.5f;

std::vector<platform::FormDesign> contractDesigns();

} // namespace dravelo::testing::contract
