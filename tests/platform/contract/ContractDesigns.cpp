#include "tests/platform/contract/ContractDesigns.h"

namespace dravelo::testing::contract {

using platform::ControlClass;
using platform::ControlDesign;
using platform::FormDesign;

namespace {

ControlDesign control(ControlClass cls, const char* name, const char* caption, float left, float top, float width,
                      float height, int tabIndex)
{
    ControlDesign c;
    c.cls = cls;
    c.name = name;
    c.caption = caption;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.tabIndex = tabIndex;
    return c;
}

FormDesign window(const char* name, float left, float top, float width, float height)
{
    FormDesign f;
    f.name = name;
    f.caption = name;
    f.placedByDesign = true;
    f.clientLeft = left;
    f.clientTop = top;
    f.clientWidth = width;
    f.clientHeight = height;
    return f;
}

} // namespace

std::vector<FormDesign> contractDesigns()
{
    FormDesign main = window(kMain, 600, 600, 4500, 3000);
    ControlDesign fitted = control(ControlClass::Label, kFitted, "Short", 240, 1800, 600, 195, 3);
    fitted.autoSize = true;
    main.controls = {
        control(ControlClass::TextBox, kField1, "", 240, 240, 1500, 285, 0),
        control(ControlClass::TextBox, kField2, "", 240, 720, 1500, 285, 1),
        control(ControlClass::CommandButton, kGo, "&Go", 2400, 240, 1200, 375, 2),
        fitted,
        control(ControlClass::Label, kFixed, "Fixed", 240, 2280, 900, 195, 4),
        control(ControlClass::Line, kRule, "", 0, 1500, 4500, 1500, -1),
    };

    FormDesign other = window(kOther, 5400, 600, 3000, 1500);
    other.controls = {control(ControlClass::CommandButton, kOtherButton, "&Next", 240, 240, 1200, 375, 0)};

    FormDesign scaled = window(kScaled, 600, 4200, 3000, 1500);
    scaled.scaleWidth = 1000;
    scaled.scaleHeight = 1000;
    scaled.controls = {control(ControlClass::CommandButton, kGo, "&Go", 300, 450, 600, 300, 0)};

    FormDesign dialog = window(kDialog, 5400, 2400, 3000, 1500);
    ControlDesign ok = control(ControlClass::CommandButton, kOk, "OK", 1680, 240, 1080, 375, 1);
    ok.isDefault = true;
    ControlDesign cancel = control(ControlClass::CommandButton, kCancel, "Annulla", 1680, 720, 1080, 375, 2);
    cancel.isCancel = true;
    dialog.controls = {control(ControlClass::TextBox, kField1, "", 240, 240, 1200, 285, 0), ok, cancel};

    return {main, other, scaled, dialog};
}

} // namespace dravelo::testing::contract
