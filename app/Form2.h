#pragma once
// The calculation window: its exit, and the handlers of the entry fields,
// the calculation and the reports, which live with their subsystems.

#include "calc/EntryFields.h"
#include "calc/Modulo1.h"
#include "forms/Scaling.h"
#include "platform/FormsRuntime.h"

#include <cstdint>

namespace dravelo::app {

class Form2 {
public:
    Form2(platform::FormsRuntime& runtime, calc::Modulo1& record)
        : runtime_(runtime), record_(record), fields(runtime, record)
    {
    }

    void Form_Load();
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode);

private:
    platform::FormsRuntime& runtime_;
    calc::Modulo1& record_;
    forms::ScalingValues scaling_;

public:
    calc::EntryFields fields;
};

} // namespace dravelo::app
