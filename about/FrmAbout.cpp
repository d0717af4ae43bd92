#include "about/FrmAbout.h"

#include "about/SysInfo.h"
#include "forms/ControlNames.h"
#include "platform/AppInfo.h"

namespace dravelo::about {

namespace {

constexpr const char* kCaptionPrefix = "Informazioni su ";
constexpr const char* kVersionPrefix = "Versione ";

platform::ControlId aboutControl(const char* name)
{
    return {forms::kFrmAbout, name};
}

} // namespace

std::string versionText(int major, int minor, int revision)
{
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

FrmAbout::FrmAbout(platform::FormsRuntime& runtime)
    : runtime_(runtime), ownRegistry_(platformRegistry()), registry_(*ownRegistry_)
{
}

FrmAbout::FrmAbout(platform::FormsRuntime& runtime, Registry& registry) : runtime_(runtime), registry_(registry) {}

void FrmAbout::Form_Load()
{
    forms::scaleForm(runtime_, forms::kFrmAbout, scaling_);
    runtime_.setFormCaption(forms::kFrmAbout, std::string(kCaptionPrefix) + platform::kAppTitle);
    runtime_.setCaption(aboutControl(forms::frm_about::kLblVersion),
                        kVersionPrefix +
                            versionText(platform::kVersionMajor, platform::kVersionMinor, platform::kVersionRevision));
    runtime_.setCaption(aboutControl(forms::frm_about::kLblTitle), platform::kAppTitle);
}

void FrmAbout::cmdOK_Click()
{
    runtime_.unload(forms::kFrmAbout);
}

void FrmAbout::cmdSysInfo_Click()
{
    StartSysInfo(runtime_, runtime_, runtime_, registry_);
}

} // namespace dravelo::about
