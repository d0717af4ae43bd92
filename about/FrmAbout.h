#pragma once
// The About box's handlers.

#include "about/Registry.h"
#include "forms/Scaling.h"
#include "platform/FormsRuntime.h"

#include <memory>
#include <string>

namespace dravelo::about {

// "major.minor.revision", each number in decimal without padding.
std::string versionText(int major, int minor, int revision);

class FrmAbout {
public:
    // Reads the registry of the system the program runs on.
    explicit FrmAbout(platform::FormsRuntime& runtime);
    // Reads the given registry, which must outlive the window.
    FrmAbout(platform::FormsRuntime& runtime, Registry& registry);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    platform::FormsRuntime& runtime_;
    std::unique_ptr<Registry> ownRegistry_;
    Registry& registry_;
    forms::ScalingValues scaling_;
};

} // namespace dravelo::about
