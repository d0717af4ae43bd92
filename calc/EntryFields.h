#pragma once
// Form2's entry fields: Text1 (fuel name) and Text2 to Text6 (carbon,
// hydrogen, oxygen, chlorine, sulphur in weight percent).

#include "calc/Modulo1.h"
#include "platform/FormsRuntime.h"

#include <cstdint>

namespace dravelo::calc {

class EntryFields {
public:
    EntryFields(platform::FormsRuntime& runtime, Modulo1& record) : runtime_(runtime), record_(record) {}

    void Text1_KeyPress(std::int16_t& KeyAscii);
    void Text2_KeyPress(std::int16_t& KeyAscii);
    void Text3_KeyPress(std::int16_t& KeyAscii);
    void Text4_KeyPress(std::int16_t& KeyAscii);
    void Text5_KeyPress(std::int16_t& KeyAscii);
    void Text6_KeyPress(std::int16_t& KeyAscii);

    void Text2_Change();
    void Text3_Change();
    void Text4_Change();
    void Text5_Change();
    void Text6_Change();

    void Text2_LostFocus();
    void Text3_LostFocus();
    void Text4_LostFocus();
    void Text5_LostFocus();
    void Text6_LostFocus();

private:
    platform::FormsRuntime& runtime_;
    Modulo1& record_;
};

} // namespace dravelo::calc
