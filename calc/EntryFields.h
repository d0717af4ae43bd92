#pragma once
// Form2's entry fields: Text1 (fuel name) and Text2 to Text6 (carbon,
// hydrogen, oxygen, chlorine, sulphur in weight percent).
//
// Each handler serves every field through the field's row in
// kEntryFields: KeyPress is Text1_KeyPress to Text6_KeyPress, Change is
// Text2_Change to Text6_Change, LostFocus is Text2_LostFocus to
// Text6_LostFocus.

#include "calc/Modulo1.h"
#include "forms/ControlNames.h"
#include "platform/FormsRuntime.h"

#include <array>
#include <cstdint>

namespace dravelo::calc {

struct EntryField {
    const char* name;
    // Where Enter sends the focus: the element order, not the tab order.
    const char* next;
    // The element the field fills on leaving; none for the fuel name.
    double Modulo1::*element;
};

inline constexpr std::array<EntryField, 6> kEntryFields{{
    {forms::form2::kText1, forms::form2::kText2, nullptr},
    {forms::form2::kText2, forms::form2::kText3, &Modulo1::Carbonio},
    {forms::form2::kText3, forms::form2::kText4, &Modulo1::Idrogeno},
    {forms::form2::kText4, forms::form2::kText5, &Modulo1::Ossigeno},
    {forms::form2::kText5, forms::form2::kText6, &Modulo1::Cloro},
    {forms::form2::kText6, forms::form2::kCommand4, &Modulo1::Zolfo},
}};

class EntryFields {
public:
    EntryFields(platform::FormsRuntime& runtime, Modulo1& record) : runtime_(runtime), record_(record) {}

    // Enter moves the focus to the next field.
    void KeyPress(const EntryField& field, std::int16_t& KeyAscii);
    // The point rule: a text ending in "." is refused at once.
    void Change(const EntryField& field);
    // The text is stored in the record, or refused.
    void LostFocus(const EntryField& field);

private:
    platform::FormsRuntime& runtime_;
    Modulo1& record_;
};

} // namespace dravelo::calc
