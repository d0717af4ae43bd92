#pragma once
// The language window designs are written in: plain data that the forms
// runtime builds windows from. Geometry in twips.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dravelo::platform {

enum class ControlClass { CommandButton, TextBox, Label, Image, PictureBox, Line };

// Colours of the desktop's scheme, named as in the designs.
enum class SystemColor {
    ButtonFace,
    ButtonText,
    Window,
    WindowText,
    HighlightText,
    InactiveCaptionText,
};

struct Color {
    static Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {false, SystemColor::Window, r, g, b}; }
    static Color system(SystemColor c) { return {true, c, 0, 0, 0}; }
    bool isSystem = false;
    SystemColor systemColor = SystemColor::Window;
    std::uint8_t red = 0, green = 0, blue = 0;
};

struct FontSpec {
    double pointSize = 8.25;
    bool bold = false;
};

// Every design font is this face; the runtime substitutes an installed one.
inline constexpr const char* kDesignFontFace = "MS Sans Serif";

struct ControlDesign {
    std::string name;
    int index = -1; // member of a control array, or -1
    ControlClass cls = ControlClass::Label;
    std::string caption; // caption of a label or button; text of a text box
    // Left, Top, Width, Height; for a Line its end points X1, Y1, X2, Y2.
    float left = 0, top = 0, width = 0, height = 0;
    std::optional<FontSpec> font; // none: the window's font
    int tabIndex = -1;            // -1: takes no tab position (lines, images)
    std::optional<Color> background;
    std::optional<Color> foreground;
    bool autoSize = false;     // labels, picture boxes: fit the content
    bool singleBorder = false; // labels: fixed single border
    bool graphical = false;    // command buttons: graphical (white face) style
    bool isDefault = false;    // command buttons: answers Enter
    bool isCancel = false;     // command buttons: answers Esc
    bool wordWrap = false;     // labels: wrap over several lines
    int lineWidth = 1;         // lines: width in pixels
    bool insideSolid = false;  // lines: inside-solid draw style
    std::string picture;       // images, picture boxes: asset resource path
    bool flatBorder = false;   // images: flat single-pixel border
    bool sunkenBorder = false; // picture boxes: sunken 3-D border
    std::string labelledBy;    // the label naming this field, for screen readers
};

// The outer frame the designs assume around a window's client area: a
// window's outer width is its client width plus a side frame on each side.
inline constexpr float kFrameSideTwips = 60;  // left, right and bottom edges
inline constexpr float kFrameTopTwips = 345;  // caption bar and top edge

enum class WindowState { Normal, Maximized };
enum class BorderStyle { Sizable, FixedDialog };

struct FormDesign {
    std::string name;
    std::string caption;
    WindowState state = WindowState::Normal;
    BorderStyle border = BorderStyle::Sizable;
    bool placedByDesign = false; // else the desktop's default position
    // Client area at design.
    float clientLeft = 0, clientTop = 0, clientWidth = 0, clientHeight = 0;
    std::optional<Color> background;
    std::optional<Color> foreground;
    FontSpec font;
    // User-defined coordinate scale (ScaleWidth, ScaleHeight), when set.
    std::optional<float> scaleWidth, scaleHeight;
    std::vector<ControlDesign> controls; // creation order
};

} // namespace dravelo::platform
