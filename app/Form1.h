#pragma once
// The cover window.

#include "forms/Scaling.h"
#include "platform/FormsRuntime.h"

#include <cstdint>

namespace dravelo::app {

class Form1 {
public:
    explicit Form1(platform::FormsRuntime& runtime) : runtime_(runtime) {}

    void Form_Load();
    void cmdCont_Click();
    void Command1_Click();
    void cmdExit_Click();
    void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode);

private:
    platform::FormsRuntime& runtime_;
    forms::ScalingValues scaling_;
};

} // namespace dravelo::app
