#pragma once
// What every forms runtime derives from a design in the same way: a
// window's outer frame, the units of a user-defined scale, the kind of each
// control class, which controls carry a font, and the numeric properties
// the program reads and writes by name.

#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace dravelo::platform {

// A rectangle in twips.
struct TwipsRect {
    float left = 0, top = 0, width = 0, height = 0;
};

// The window's outer geometry at design: its client area and the frame.
TwipsRect designedOuterRect(const FormDesign& design);
// The client area inside an outer rectangle.
TwipsRect clientRectOf(const TwipsRect& outer);

// Twips per unit of the window's coordinate scale: 1 unless the design
// sets a user-defined scale.
struct ScaleUnits {
    double across = 1;
    double down = 1;
};
ScaleUnits scaleUnitsOf(const FormDesign& design);

// A window's or a control's colours: the design's, else its class's
// default from the desktop's scheme.
Color backgroundOf(const FormDesign& form);
Color foregroundOf(const FormDesign& form);
Color backgroundOf(const ControlDesign& control);
Color foregroundOf(const ControlDesign& control);

ControlKind kindOf(ControlClass cls);
// Lines and images have no font.
bool carriesFont(ControlClass cls);
// Fields, buttons and picture boxes take the focus; the rest are drawn.
bool takesFocus(ControlClass cls);
// The controls that take the focus, by tab index (design order among
// equals), as positions in the design.
std::vector<std::size_t> tabOrderOf(const FormDesign& form);
// The letter a caption marks with "&" ("Stam&pa": p), or 0; "&&" is a
// plain ampersand.
char32_t accessKeyOf(const std::string& caption);
// Upper and lower case of a letter as the same access key: the Latin
// letters of the designs' language.
bool sameAccessKey(char32_t a, char32_t b);

// A control's numeric properties in the window's units: Left, Top, Width
// and Height, which a line names X1, Y1, X2 and Y2; and its FontSize.
struct ControlValues {
    double left = 0, top = 0, width = 0, height = 0;
    double fontSize = 0; // points; 0 for a control without a font
};
ControlValues designedValues(const FormDesign& form, const ControlDesign& control);

enum class ControlProperty { Left, Top, Width, Height, FontSize };
// The property this name means on a control of this class, if any.
std::optional<ControlProperty> controlPropertyNamed(ControlClass cls, const std::string& name);
double& valueOf(ControlValues& values, ControlProperty property);
double valueOf(const ControlValues& values, ControlProperty property);

// A window's normal-state outer geometry by name: Left, Top, Width, Height.
enum class WindowProperty { Left, Top, Width, Height };
std::optional<WindowProperty> windowPropertyNamed(const std::string& name);
float& valueOf(TwipsRect& rect, WindowProperty property);
float valueOf(const TwipsRect& rect, WindowProperty property);

// The program asked for a property its runtime does not have: a fault of
// the program, not of the user.
[[noreturn]] void noSuchProperty(const std::string& owner, const std::string& name);

} // namespace dravelo::platform
