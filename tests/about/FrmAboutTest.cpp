#include "about/FrmAbout.h"

#include "app/Program.h"
#include "forms/Designs.h"
#include "tests/about/FakeRegistry.h"
#include "tests/support/FakeRuntime.h"

#include <gtest/gtest.h>

namespace dravelo::testing {
namespace {

const platform::ControlId kVersion{"frmAbout", "lblVersion"};
const platform::ControlId kTitle{"frmAbout", "lblTitle"};
const platform::ControlId kDescription{"frmAbout", "lblDescription"};
const platform::ControlId kOk{"frmAbout", "cmdOK"};
const platform::ControlId kSysInfo{"frmAbout", "cmdSysInfo"};
const char* const kUnavailable = "Le informazioni sul sistema non sono disponibili in questa fase";

void expectAboutTexts(const FakeRuntime& runtime)
{
    ASSERT_TRUE(runtime.isLoaded("frmAbout"));
    EXPECT_EQ(runtime.caption("frmAbout"), "Informazioni su Dravelo");
    EXPECT_EQ(runtime.text(kVersion), "Versione 1.0.0");
    EXPECT_EQ(runtime.text(kTitle), "Dravelo");
    EXPECT_EQ(runtime.text(kDescription), "Calcolo del potere calorifico dei combustibili ");
}

TEST(VersionText, DecimalWithoutPadding)
{
    EXPECT_EQ(about::versionText(1, 0, 0), "1.0.0");
    EXPECT_EQ(about::versionText(1, 12, 0), "1.12.0");
    EXPECT_EQ(about::versionText(10, 5, 307), "10.5.307");
    EXPECT_EQ(about::versionText(0, 0, 9), "0.0.9");
}

TEST(FrmAbout, TextsAfterLoadAndAfterReopening)
{
    FakeRuntime runtime(forms::allDesigns());
    app::Program program(runtime);
    runtime.setEvents(&program);
    runtime.show("frmAbout");
    expectAboutTexts(runtime);

    program.click(kOk);
    EXPECT_FALSE(runtime.isLoaded("frmAbout"));

    runtime.show("frmAbout");
    expectAboutTexts(runtime);
}

double okWidthOnScreen(platform::ScreenSize screen)
{
    FakeRuntime runtime(forms::allDesigns());
    runtime.screen_ = screen;
    app::Program program(runtime);
    runtime.setEvents(&program);
    runtime.show("frmAbout");
    expectAboutTexts(runtime);
    return runtime.property(kOk, "Width");
}

TEST(FrmAbout, ScalesToTheScreenAndKeepsItsTexts)
{
    const double reference = okWidthOnScreen({9600, 7200});
    const double doubled = okWidthOnScreen({19200, 14400});
    EXPECT_GT(doubled, 1.5 * reference);
}

TEST(FrmAbout, SysInfoWithoutWindowsRegistryTellsTheUserAndStaysOpen)
{
    FakeRuntime runtime(forms::allDesigns());
    app::Program program(runtime);
    runtime.setEvents(&program);
    runtime.show("frmAbout");

    program.click(kSysInfo);

    ASSERT_EQ(runtime.messages.size(), 1u);
    EXPECT_EQ(runtime.messages[0].text, kUnavailable);
    EXPECT_TRUE(runtime.launched.empty());
    EXPECT_TRUE(runtime.isLoaded("frmAbout"));
}

TEST(FrmAbout, EachClickStartsTheToolAgain)
{
    const std::string tool = "C:\\Tools\\msinfo32.exe";
    FakeRegistry registry;
    registry.keys["SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"] = {{"PATH", {about::kRegSz, tool + '\0'}}};
    FakeRuntime runtime(forms::allDesigns());
    runtime.show("frmAbout");
    about::FrmAbout about(runtime, registry);
    about.Form_Load();

    about.cmdSysInfo_Click();
    about.cmdSysInfo_Click();

    EXPECT_EQ(runtime.launched, (std::vector<std::string>{tool, tool}));
    EXPECT_TRUE(runtime.messages.empty());
    EXPECT_EQ(registry.opens.size(), 2u) << "nothing is kept from one click to the next";
    EXPECT_TRUE(runtime.isLoaded("frmAbout"));
}

} // namespace
} // namespace dravelo::testing
