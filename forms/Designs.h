#pragma once
// The three window designs, laid out for a 9600 x 7200 twip screen.

#include "forms/ControlNames.h"
#include "platform/FormDesign.h"

#include <vector>

namespace dravelo::forms {

platform::FormDesign form1Design();
platform::FormDesign form2Design();
platform::FormDesign frmAboutDesign();
std::vector<platform::FormDesign> allDesigns();

} // namespace dravelo::forms
