#include "app/ExitConfirmation.h"
#include "app/Program.h"
#include "forms/Designs.h"
#include "tests/support/FakeRuntime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using dravelo::app::Program;
using dravelo::forms::kForm1;
using dravelo::forms::kForm2;
using dravelo::forms::kFrmAbout;
using dravelo::platform::ControlId;
using dravelo::platform::kTrue;
using dravelo::platform::MsgAnswer;
using dravelo::platform::MsgButtons;
using dravelo::platform::MsgDefault;
using dravelo::platform::MsgIcon;
using dravelo::platform::UnloadMode;
using dravelo::testing::FakeRuntime;

// The program started as the runtime starts it: Form1 first.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
    {
        runtime.setEvents(&program);
        runtime.show(kForm1);
    }

    void click(const char* form, const char* control) { program.click(ControlId{form, control}); }
    long loads(const char* form) const { return std::count(runtime.loadOrder.begin(), runtime.loadOrder.end(), form); }
    std::string text(const char* control) const { return runtime.text({kForm2, control}); }

    void expectOneExitQuestion() const
    {
        ASSERT_EQ(runtime.messages.size(), 1u);
        EXPECT_EQ(runtime.messages[0].text, "Chiudere il programma ?");
        EXPECT_EQ(runtime.messages[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(runtime.messages[0].icon, MsgIcon::Question);
        EXPECT_EQ(runtime.messages[0].defaultButton, MsgDefault::Second) << "Enter must answer No";
    }
    void expectRunning() const
    {
        EXPECT_FALSE(runtime.ended());
        EXPECT_TRUE(runtime.isLoaded(kForm1));
    }

    // A calculation window with something typed and computed in it.
    void openCalculationWithInput()
    {
        click(kForm1, "cmdCont");
        runtime.userFocus({kForm2, "Text1"});
        runtime.type({kForm2, "Text1"}, "Carbone");
        runtime.userFocus({kForm2, "Text2"});
        runtime.type({kForm2, "Text2"}, "85,5");
        runtime.userFocus({kForm2, "Command4"});
        click(kForm2, "Command4");
        ASSERT_EQ(text("Text9"), "6654,4");
    }
    void expectCalculationUnchanged() const
    {
        EXPECT_TRUE(runtime.isLoaded(kForm2));
        EXPECT_EQ(text("Text1"), "Carbone");
        EXPECT_EQ(text("Text2"), "85,5");
        EXPECT_EQ(text("Text9"), "6654,4");
        EXPECT_EQ(program.Modulo1.Carbonio, 85.5);
    }

    FakeRuntime runtime{dravelo::forms::allDesigns()};
    Program program{runtime};
};

TEST_F(ProgramTest, StartsOnTheCoverWindowAlone)
{
    EXPECT_EQ(runtime.loadOrder, std::vector<std::string>{kForm1});
    EXPECT_FALSE(runtime.isLoaded(kForm2));
    EXPECT_FALSE(runtime.isLoaded(kFrmAbout));
    EXPECT_TRUE(runtime.messages.empty());
    EXPECT_EQ(program.Modulo1.Carbonio, 0);
    EXPECT_EQ(program.Modulo1.PciArrotondato, 0);
}

TEST_F(ProgramTest, ContinuaLoadsTheCalculationWindowOnce)
{
    click(kForm1, "cmdCont");
    EXPECT_TRUE(runtime.isLoaded(kForm2));
    EXPECT_TRUE(runtime.isLoaded(kForm1)) << "the cover stays behind it";
    runtime.type({kForm2, "Text1"}, "Metano");

    click(kForm1, "cmdCont");
    EXPECT_EQ(loads(kForm2), 1);
    EXPECT_EQ(text("Text1"), "Metano");
}

TEST_F(ProgramTest, InfoLoadsTheAboutBoxAnewAfterItWasClosed)
{
    click(kForm1, "Command1");
    EXPECT_TRUE(runtime.isLoaded(kFrmAbout));
    click(kForm1, "Command1");
    EXPECT_EQ(loads(kFrmAbout), 1) << "an open About box is only brought to the front";

    click(kFrmAbout, "cmdOK");
    EXPECT_FALSE(runtime.isLoaded(kFrmAbout));
    expectRunning();

    click(kForm1, "Command1");
    EXPECT_EQ(loads(kFrmAbout), 2);

    runtime.closeBox(kFrmAbout);
    EXPECT_FALSE(runtime.isLoaded(kFrmAbout));
    click(kForm1, "Command1");
    EXPECT_EQ(loads(kFrmAbout), 3);
    EXPECT_TRUE(runtime.messages.empty()) << "the About box closes without asking";
}

TEST_F(ProgramTest, AboutBoxAndCalculationWindowLiveSideBySide)
{
    click(kForm1, "Command1");
    click(kForm1, "cmdCont");
    click(kFrmAbout, "cmdOK");
    EXPECT_TRUE(runtime.isLoaded(kForm2));
    EXPECT_FALSE(runtime.isLoaded(kFrmAbout));
    expectRunning();
}

// Every way of closing the cover or the calculation window.
using CloseWay = std::pair<const char*, std::function<void(FakeRuntime&, Program&)>>;
const CloseWay kCloseWays[] = {
    {"close box of Form1", [](FakeRuntime& r, Program&) { r.closeBox(kForm1); }},
    {"\"&ESCI\" of Form1", [](FakeRuntime&, Program& p) { p.click({kForm1, "cmdExit"}); }},
    {"close box of Form2", [](FakeRuntime& r, Program&) { r.closeBox(kForm2); }},
    {"\"&ESCI\" of Form2", [](FakeRuntime&, Program& p) { p.click({kForm2, "Command1"}); }},
};

TEST_F(ProgramTest, ClosingAnyWayAsksAndNoKeepsEverything)
{
    openCalculationWithInput();
    click(kForm1, "Command1");
    for (const auto& [what, close] : kCloseWays) {
        SCOPED_TRACE(what);
        runtime.messages.clear();
        runtime.msgAnswers = {MsgAnswer::No};
        close(runtime, program);
        expectOneExitQuestion();
        expectRunning();
        expectCalculationUnchanged();
        EXPECT_TRUE(runtime.isLoaded(kFrmAbout));
    }
    EXPECT_EQ(loads(kForm2), 1);
}

TEST(ProgramEnd, YesOnAnyCloseEndsTheProgramAtOnce)
{
    for (const auto& [what, close] : kCloseWays) {
        SCOPED_TRACE(what);
        FakeRuntime runtime{dravelo::forms::allDesigns()};
        Program program{runtime};
        runtime.setEvents(&program);
        runtime.show(kForm1);
        program.click({kForm1, "cmdCont"});
        program.click({kForm1, "Command1"});
        runtime.msgAnswers = {MsgAnswer::Yes};

        close(runtime, program);

        EXPECT_TRUE(runtime.ended());
        EXPECT_EQ(runtime.messages.size(), 1u) << "no second window is asked";
        EXPECT_FALSE(runtime.isLoaded(kForm1));
        EXPECT_FALSE(runtime.isLoaded(kForm2));
        EXPECT_FALSE(runtime.isLoaded(kFrmAbout));
    }
}

TEST_F(ProgramTest, SessionEndAsksTheSameQuestion)
{
    std::int16_t cancel = 0;
    runtime.msgAnswers = {MsgAnswer::No};
    program.queryUnload(kForm1, cancel, UnloadMode::AppWindows);
    expectOneExitQuestion();
    EXPECT_EQ(cancel, kTrue);
    expectRunning();

    cancel = 0;
    runtime.msgAnswers = {MsgAnswer::Yes};
    program.queryUnload(kForm1, cancel, UnloadMode::AppWindows);
    EXPECT_TRUE(runtime.ended());
}

TEST_F(ProgramTest, ConfirmExitLeavesCancelAloneOnYes)
{
    std::int16_t cancel = 0;
    runtime.msgAnswers = {MsgAnswer::Yes};
    dravelo::app::confirmExit(runtime, cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_TRUE(runtime.ended());
}

TEST_F(ProgramTest, NothingRunsAfterTheEnd)
{
    runtime.msgAnswers = {MsgAnswer::Yes};
    runtime.closeBox(kForm1);
    ASSERT_TRUE(runtime.ended());
    runtime.show(kForm2);
    runtime.closeBox(kForm1);
    EXPECT_FALSE(runtime.isLoaded(kForm2));
    EXPECT_EQ(runtime.messages.size(), 1u);
}

// The program routes each field's events to that field's handlers.
TEST_F(ProgramTest, FieldEventsReachTheirHandlers)
{
    click(kForm1, "cmdCont");
    runtime.userFocus({kForm2, "Text1"});
    std::int16_t enter = 13;
    program.keyPress({kForm2, "Text1"}, enter);
    const std::pair<const char*, const char*> typed[] = {
        {"Text2", "85,5"}, {"Text3", "11,2"}, {"Text4", "0,8"}, {"Text5", "0"}, {"Text6", "2,5"},
    };
    for (auto [field, value] : typed) {
        ASSERT_EQ(runtime.focus, (ControlId{kForm2, field}));
        runtime.type({kForm2, field}, value);
        enter = 13;
        program.keyPress({kForm2, field}, enter);
    }
    EXPECT_EQ(runtime.focus, (ControlId{kForm2, "Command4"}));
    EXPECT_EQ(program.Modulo1.Carbonio, 85.5);
    EXPECT_EQ(program.Modulo1.Idrogeno, 11.2);
    EXPECT_EQ(program.Modulo1.Ossigeno, 0.8);
    EXPECT_EQ(program.Modulo1.Cloro, 0);
    EXPECT_EQ(program.Modulo1.Zolfo, 2.5);
    click(kForm2, "Command4");
    EXPECT_EQ(text("Text9"), "9493,8");

    runtime.type({kForm2, "Text4"}, "3.");
    ASSERT_EQ(runtime.messages.size(), 1u);
    EXPECT_EQ(runtime.messages[0].text, "Usare la virgola invece del punto !");
    EXPECT_EQ(runtime.focus, (ControlId{kForm2, "Text4"}));
}

} // namespace
