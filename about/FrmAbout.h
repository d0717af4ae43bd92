#pragma once
// The About box's handlers.

#include "forms/Scaling.h"
#include "platform/FormsRuntime.h"

namespace dravelo::about {

class FrmAbout {
public:
    explicit FrmAbout(platform::FormsRuntime& runtime) : runtime_(runtime) {}

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    platform::FormsRuntime& runtime_;
    forms::ScalingValues scaling_;
};

} // namespace dravelo::about
