#pragma once
// The three window designs, laid out for a 9600 x 7200 twip screen.

#include "platform/FormDesign.h"

#include <vector>

namespace dravelo::forms {

inline constexpr const char* kForm1 = "Form1";
inline constexpr const char* kForm2 = "Form2";
inline constexpr const char* kFrmAbout = "frmAbout";

platform::FormDesign form1Design();
platform::FormDesign form2Design();
platform::FormDesign frmAboutDesign();
std::vector<platform::FormDesign> allDesigns();

} // namespace dravelo::forms
