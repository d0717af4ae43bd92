#include "calc/EntryFields.h"

#include "forms/Designs.h"

#include <optional>

namespace dravelo::calc {

namespace {

using platform::ControlId;
using platform::MsgButtons;
using platform::MsgIcon;

constexpr std::int16_t kEnter = 13;
constexpr char kPoint = '.';
constexpr const char* kEmptyFieldValue = "0";
constexpr const char* kUseTheComma = "Usare la virgola invece del punto !";
constexpr const char* kUseNumbers = "Usare i numeri !";

// A percentage field: where Enter sends the focus, and the element it fills.
struct PercentField {
    const char* name;
    const char* next;
    double Modulo1::*element;
};

// Enter follows the element order, not the window's tab order.
constexpr PercentField kText2{"Text2", "Text3", &Modulo1::Carbonio};
constexpr PercentField kText3{"Text3", "Text4", &Modulo1::Idrogeno};
constexpr PercentField kText4{"Text4", "Text5", &Modulo1::Ossigeno};
constexpr PercentField kText5{"Text5", "Text6", &Modulo1::Cloro};
constexpr PercentField kText6{"Text6", "Command4", &Modulo1::Zolfo};

ControlId onForm2(const char* name)
{
    return {forms::kForm2, name};
}

void moveFocusOnEnter(platform::FormsRuntime& runtime, std::int16_t KeyAscii, const char* next)
{
    if (KeyAscii == kEnter)
        runtime.setFocus(onForm2(next));
}

void refusePoint(platform::FormsRuntime& runtime, const PercentField& field)
{
    const ControlId id = onForm2(field.name);
    const std::string text = runtime.text(id);
    if (text.empty() || text.back() != kPoint)
        return;
    runtime.msgBox(kUseTheComma, MsgButtons::Ok, MsgIcon::Exclamation);
    runtime.setText(id, "");
    runtime.setFocus(id);
}

void storeOnLeave(platform::FormsRuntime& runtime, Modulo1& record, const PercentField& field)
{
    const ControlId id = onForm2(field.name);
    if (runtime.text(id).empty())
        runtime.setText(id, kEmptyFieldValue);
    const std::optional<double> value = platform::textToDouble(runtime.text(id), runtime.numberFormat());
    if (value) {
        record.*field.element = *value;
        return;
    }
    runtime.msgBox(kUseNumbers, MsgButtons::Ok, MsgIcon::Exclamation);
    runtime.setText(id, "");
    runtime.setFocus(id);
}

} // namespace

void EntryFields::Text1_KeyPress(std::int16_t& KeyAscii) { moveFocusOnEnter(runtime_, KeyAscii, kText2.name); }
void EntryFields::Text2_KeyPress(std::int16_t& KeyAscii) { moveFocusOnEnter(runtime_, KeyAscii, kText2.next); }
void EntryFields::Text3_KeyPress(std::int16_t& KeyAscii) { moveFocusOnEnter(runtime_, KeyAscii, kText3.next); }
void EntryFields::Text4_KeyPress(std::int16_t& KeyAscii) { moveFocusOnEnter(runtime_, KeyAscii, kText4.next); }
void EntryFields::Text5_KeyPress(std::int16_t& KeyAscii) { moveFocusOnEnter(runtime_, KeyAscii, kText5.next); }
void EntryFields::Text6_KeyPress(std::int16_t& KeyAscii) { moveFocusOnEnter(runtime_, KeyAscii, kText6.next); }

void EntryFields::Text2_Change() { refusePoint(runtime_, kText2); }
void EntryFields::Text3_Change() { refusePoint(runtime_, kText3); }
void EntryFields::Text4_Change() { refusePoint(runtime_, kText4); }
void EntryFields::Text5_Change() { refusePoint(runtime_, kText5); }
void EntryFields::Text6_Change() { refusePoint(runtime_, kText6); }

void EntryFields::Text2_LostFocus() { storeOnLeave(runtime_, record_, kText2); }
void EntryFields::Text3_LostFocus() { storeOnLeave(runtime_, record_, kText3); }
void EntryFields::Text4_LostFocus() { storeOnLeave(runtime_, record_, kText4); }
void EntryFields::Text5_LostFocus() { storeOnLeave(runtime_, record_, kText5); }
void EntryFields::Text6_LostFocus() { storeOnLeave(runtime_, record_, kText6); }

} // namespace dravelo::calc
