#pragma once
// The semantics every forms runtime gives the program, stated once and run
// against each implementation through a driver that acts as the user:
//
//   Driver(std::vector<FormDesign>)
//   FormsRuntime& runtime(); void setEvents(FormEvents*);
//   void open(form)                 show the window and wait until it is active
//   void click(ControlId)           a mouse click on a control
//   void accessKey(form, letter)    Alt and the letter
//   void tab(form)                  the Tab key
//   void type(ControlId, text)      keys typed into the focused field
//   void enter(ControlId)           the Enter key in the focused field
//   void escape(ControlId)          the Esc key in the focused field
//   void press(ControlId)           a press of a button that comes neither from the
//                                   mouse nor from the keyboard: the platform's own
//                                   kind, as screen readers and automation send it
//   void actFromOutside(ControlId)  every other way the platform has for assistive
//                                   technology or another program to act on the
//                                   control without mouse or keys: a button's press
//                                   actions; a field's text set, focus request, drop
//   bool buttonHeld(ControlId)      the button looks pressed or holds the mouse
//   void paste(ControlId, text)     the text on the clipboard, pasted into the focused field
//   void keypadDecimal(ControlId, Modifier)  the keypad's decimal key with a modifier held
//   void closeBox(form)             the window's close box
//   bool endSession()               the desktop session ends; true if it may
//   void inNextBox(act)             act runs while the next message box is open, from
//                                   inside it; the box stays for what comes next
//   void duringServiceWait(act)     act runs during a wait of the runtime for a slow
//                                   service (the printer's), which then ends
//   void activate(form)             the user brings another window to the front
//   void answerNextBox(MsgAnswer)   how the user will answer the next message box
//                                   (or the box a step of inNextBox left open)
//   std::optional<ControlId> focus(); std::string frontWindow(); void settle();

#include "platform/FormsRuntime.h"
#include "tests/platform/contract/ContractDesigns.h"
#include "tests/platform/contract/EventLog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dravelo::testing::contract {

using platform::ControlId;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::UnloadMode;
using Log = std::vector<std::string>;

enum class Modifier { Ctrl, Alt, Shift };

template <class Driver>
class RuntimeContract : public ::testing::Test {
protected:
    RuntimeContract() { driver.setEvents(&events); }
    ~RuntimeContract() override { driver.setEvents(nullptr); }

    platform::FormsRuntime& runtime() { return driver.runtime(); }
    static ControlId on(const char* form, const char* control, int index = -1) { return {form, control, index}; }

    // The field's leave handler refuses the entry: a message, then the focus back.
    void refuseLeaving(const ControlId& field)
    {
        events.onLostFocus = [this, field](const ControlId& left) {
            if (left == field) {
                runtime().msgBox("No", MsgButtons::Ok, MsgIcon::Exclamation, platform::MsgDefault::First);
                runtime().setFocus(field);
            }
        };
    }
    // Opens the window with the focus in its Field1 and an empty log.
    void inField1(const char* form = kMain)
    {
        driver.open(form);
        runtime().setFocus(on(form, kField1));
        driver.settle();
        events.entries.clear();
    }
    // The close query asks the user, as the program does; Yes ends the program.
    void askBeforeClosing()
    {
        events.onQueryUnload = [this](const std::string&, std::int16_t& cancel, UnloadMode) {
            if (runtime().msgBox("Close?", MsgButtons::YesNo, MsgIcon::Question, platform::MsgDefault::Second) ==
                MsgAnswer::Yes)
                runtime().endProgram();
            else
                cancel = platform::kTrue;
        };
    }

    // The session ends while the next message box is open.
    void endSessionInNextBox()
    {
        this->driver.inNextBox([this] { sessionEndedInBox = this->driver.endSession(); });
    }

    Driver driver{contractDesigns()};
    EventLog events;
    std::optional<bool> sessionEndedInBox;
};

TYPED_TEST_SUITE_P(RuntimeContract);

TYPED_TEST_P(RuntimeContract, LoadsOnceBeforeTheFirstShowAndBringsALoadedWindowToTheFront)
{
    EXPECT_FALSE(this->runtime().isLoaded(kMain));
    this->driver.open(kMain);
    this->driver.open(kOther);
    EXPECT_EQ(this->driver.frontWindow(), kOther);
    this->driver.open(kMain);
    EXPECT_EQ(this->driver.frontWindow(), kMain);
    EXPECT_EQ(this->events.matching("load"), (Log{"load Main", "load Other"}));
    EXPECT_TRUE(this->runtime().isLoaded(kMain));
}

TYPED_TEST_P(RuntimeContract, ChangeFollowsEveryTextChangeAlsoOneByTheProgram)
{
    this->inField1();
    this->driver.type(this->on(kMain, kField1), "ab");
    this->runtime().setText(this->on(kMain, kField1), "xyz");
    this->runtime().setCaption(this->on(kMain, kField1), "");
    this->driver.settle();
    EXPECT_EQ(this->events.matching("change"), Log(4, "change Main.Field1"));
    EXPECT_EQ(this->runtime().text(this->on(kMain, kField1)), "");
}

TYPED_TEST_P(RuntimeContract, KeyPressSeesEveryCharacterAndMayCancelIt)
{
    this->inField1();
    this->events.onKeyPress = [](const ControlId&, std::int16_t& keyAscii) {
        if (keyAscii == 'x')
            keyAscii = 0;
    };
    this->driver.type(this->on(kMain, kField1), "a1,x");
    this->driver.enter(this->on(kMain, kField1));
    EXPECT_EQ(this->events.matching("keyPress"),
              (Log{"keyPress Main.Field1 97", "keyPress Main.Field1 49", "keyPress Main.Field1 44",
                   "keyPress Main.Field1 120", "keyPress Main.Field1 13"}));
    EXPECT_EQ(this->runtime().text(this->on(kMain, kField1)), "a1,");
}

TYPED_TEST_P(RuntimeContract, LostFocusRunsWithinTheWindowBeforeTheClick)
{
    this->inField1();
    this->driver.click(this->on(kMain, kGo));
    EXPECT_EQ(this->events.entries, (Log{"lostFocus Main.Field1", "click Main.Go"}));

    this->runtime().setFocus(this->on(kMain, kField2));
    this->driver.settle();
    this->events.entries.clear();
    this->driver.accessKey(kMain, 'g');
    EXPECT_EQ(this->events.entries, (Log{"lostFocus Main.Field2", "click Main.Go"}));
    EXPECT_EQ(this->driver.focus(), this->on(kMain, kGo));

    this->runtime().setFocus(this->on(kMain, kField1));
    this->driver.settle();
    this->events.entries.clear();
    this->driver.tab(kMain);
    EXPECT_EQ(this->events.entries, (Log{"lostFocus Main.Field1"}));
    EXPECT_EQ(this->driver.focus(), this->on(kMain, kField2));
}

TYPED_TEST_P(RuntimeContract, NoLostFocusForAMessageBoxTheInputBoxOrAnotherWindow)
{
    this->driver.open(kOther);
    this->inField1();
    this->driver.answerNextBox(MsgAnswer::Ok);
    EXPECT_EQ(this->runtime().msgBox("Hello", MsgButtons::Ok, MsgIcon::Exclamation, platform::MsgDefault::First),
              MsgAnswer::Ok);
    this->driver.answerNextBox(MsgAnswer::No);
    EXPECT_EQ(this->runtime().inputBox("Name", "Title"), "");
    this->driver.activate(kOther);
    this->driver.activate(kMain);
    EXPECT_EQ(this->events.matching("lostFocus"), Log());
    EXPECT_EQ(this->driver.focus(), this->on(kMain, kField1));
}

TYPED_TEST_P(RuntimeContract, ARefusedLeaveDropsTheClickThatCausedIt)
{
    this->inField1();
    this->refuseLeaving(this->on(kMain, kField1));
    this->driver.answerNextBox(MsgAnswer::Ok);
    this->driver.click(this->on(kMain, kGo));
    this->driver.answerNextBox(MsgAnswer::Ok);
    this->driver.accessKey(kMain, 'g');
    this->driver.answerNextBox(MsgAnswer::Ok);
    this->driver.tab(kMain);
    EXPECT_EQ(this->events.entries, Log(3, "lostFocus Main.Field1"));
    EXPECT_EQ(this->driver.focus(), this->on(kMain, kField1));
}

TYPED_TEST_P(RuntimeContract, TheCloseQueryNamesItsCauseAndMayBeCancelled)
{
    this->driver.open(kOther);
    this->driver.open(kMain);
    bool cancel = true;
    this->events.onQueryUnload = [&cancel](const std::string&, std::int16_t& Cancel, UnloadMode) {
        if (cancel)
            Cancel = platform::kTrue;
    };
    this->driver.closeBox(kMain);
    this->runtime().unload(kMain);
    EXPECT_FALSE(this->driver.endSession());
    EXPECT_TRUE(this->runtime().isLoaded(kMain));
    EXPECT_EQ(this->events.matching("queryUnload"),
              (Log{"queryUnload Main 0", "queryUnload Main 1", "queryUnload Other 2"}));

    cancel = false;
    this->runtime().unload(kOther);
    EXPECT_FALSE(this->runtime().isLoaded(kOther));
    this->driver.closeBox(kMain);
    EXPECT_FALSE(this->runtime().isLoaded(kMain));
}

TYPED_TEST_P(RuntimeContract, ASessionEndAgreedByEveryWindowEndsTheProgram)
{
    this->driver.open(kMain);
    this->driver.open(kOther);
    EXPECT_TRUE(this->driver.endSession());
    EXPECT_EQ(this->events.matching("queryUnload"), (Log{"queryUnload Main 2", "queryUnload Other 2"}));
    EXPECT_FALSE(this->runtime().isLoaded(kMain));
    EXPECT_FALSE(this->runtime().isLoaded(kOther));
}

TYPED_TEST_P(RuntimeContract, AfterEndProgramNoWindowRaisesAnyEvent)
{
    this->driver.open(kOther);
    this->inField1();
    this->runtime().endProgram();
    this->driver.settle();
    EXPECT_FALSE(this->runtime().isLoaded(kMain));
    EXPECT_FALSE(this->runtime().isLoaded(kOther));
    this->runtime().show(kScaled);
    this->runtime().unload(kMain);
    EXPECT_FALSE(this->runtime().isLoaded(kScaled));

    // A handler interrupted by the end runs on harmlessly: every service is inert.
    auto& runtime = this->runtime();
    const ControlId field = this->on(kMain, kField1);
    runtime.setText(field, "late");
    runtime.setFocus(field);
    EXPECT_EQ(runtime.text(field), "");
    EXPECT_EQ(runtime.msgBox("Late", MsgButtons::YesNo, MsgIcon::Question, platform::MsgDefault::First),
              MsgAnswer::No);
    EXPECT_EQ(runtime.inputBox("Name", "Title"), "");
    EXPECT_NE(runtime.writeFile("late.TXT", "late"), "");
    EXPECT_EQ(runtime.firstMatch("late.TXT"), "");
    std::string whyNot;
    EXPECT_EQ(runtime.startJob(whyNot), nullptr);
    EXPECT_NE(whyNot, "");
    EXPECT_EQ(this->events.entries, Log());
}

TYPED_TEST_P(RuntimeContract, PropertiesRoundTripInTwipsAndInTheWindowsOwnScale)
{
    this->driver.open(kMain);
    this->driver.open(kScaled);
    auto& runtime = this->runtime();
    const ControlId rule = this->on(kMain, kRule);
    EXPECT_EQ(runtime.kind(rule), platform::ControlKind::Line);
    EXPECT_EQ(runtime.property(rule, "Y2"), 1500);
    runtime.setProperty(rule, "X2", 3000.5);
    EXPECT_EQ(runtime.property(rule, "X2"), 3000.5);

    const ControlId go = this->on(kMain, kGo);
    runtime.setProperty(go, "Left", 2415);
    runtime.setProperty(go, "FontSize", 9.75);
    EXPECT_EQ(runtime.property(go, "Left"), 2415);
    EXPECT_EQ(runtime.property(go, "FontSize"), 9.75);
    runtime.setFormProperty(kMain, "Width", 6000);
    EXPECT_EQ(runtime.formProperty(kMain, "Width"), 6000);
    EXPECT_EQ(runtime.formProperty(kMain, "Left"), 600 - platform::kFrameSideTwips);

    // The scaled window's controls are in its units, the window in twips.
    const ControlId scaledGo = this->on(kScaled, kGo);
    EXPECT_FLOAT_EQ(runtime.property(scaledGo, "Left"), 300 / kScaledTwipsAcross);
    EXPECT_FLOAT_EQ(runtime.property(scaledGo, "Height"), 300 / kScaledTwipsDown);
    runtime.setProperty(scaledGo, "Width", 250);
    EXPECT_EQ(runtime.property(scaledGo, "Width"), 250);
    EXPECT_EQ(runtime.formProperty(kScaled, "Width"), 3000 + 2 * platform::kFrameSideTwips);
}

TYPED_TEST_P(RuntimeContract, SelfSizingLabelsFitTheirText)
{
    this->driver.open(kMain);
    auto& runtime = this->runtime();
    const ControlId fitted = this->on(kMain, kFitted);
    const ControlId fixed = this->on(kMain, kFixed);
    const double shortWidth = runtime.property(fitted, "Width");
    runtime.setCaption(fitted, "A much longer caption than before");
    runtime.setCaption(fixed, "A much longer caption than before");
    EXPECT_GT(runtime.property(fitted, "Width"), 3 * shortWidth);
    const double longWidth = runtime.property(fitted, "Width");
    runtime.setProperty(fitted, "FontSize", 16.5);
    EXPECT_GT(runtime.property(fitted, "Width"), 1.5 * longWidth);
    EXPECT_EQ(runtime.property(fixed, "Width"), 900);
    EXPECT_EQ(runtime.text(fitted), "A much longer caption than before");
}

// An assistive press goes the way of a click: the field's leave first, and
// nothing at all when the leave keeps the focus.
TYPED_TEST_P(RuntimeContract, APressFromNeitherMouseNorKeyboardMovesTheFocusFirst)
{
    this->inField1();
    this->driver.press(this->on(kMain, kGo));
    EXPECT_EQ(this->events.entries, (Log{"lostFocus Main.Field1", "click Main.Go"}));
    EXPECT_EQ(this->driver.focus(), this->on(kMain, kGo));

    this->runtime().setFocus(this->on(kMain, kField1));
    this->driver.settle();
    this->events.entries.clear();
    this->refuseLeaving(this->on(kMain, kField1));
    this->driver.answerNextBox(MsgAnswer::Ok);
    this->driver.press(this->on(kMain, kGo));
    EXPECT_EQ(this->events.entries, (Log{"lostFocus Main.Field1"}));
    EXPECT_EQ(this->driver.focus(), this->on(kMain, kField1));
    EXPECT_FALSE(this->driver.buttonHeld(this->on(kMain, kGo)));

    // Nothing of the dropped press is left: the next click acts once.
    this->events.onLostFocus = nullptr;
    this->events.entries.clear();
    this->driver.click(this->on(kMain, kGo));
    EXPECT_EQ(this->events.entries, (Log{"lostFocus Main.Field1", "click Main.Go"}));
}

TYPED_TEST_P(RuntimeContract, EnterAndEscReachKeyPressBeforeTheDefaultAndCancelButtons)
{
    const ControlId field = this->on(kDialog, kField1);
    this->inField1(kDialog);
    this->driver.enter(field);
    EXPECT_EQ(this->events.entries, (Log{"keyPress Dialog.Field1 13", "lostFocus Dialog.Field1", "click Dialog.Ok"}));

    this->inField1(kDialog);
    this->driver.escape(field);
    EXPECT_EQ(this->events.entries,
              (Log{"keyPress Dialog.Field1 27", "lostFocus Dialog.Field1", "click Dialog.Cancel"}));

    // An Enter whose handler moves the focus to a button does not press it.
    this->inField1(kDialog);
    this->events.onKeyPress = [this](const ControlId&, std::int16_t& keyAscii) {
        if (keyAscii == 13)
            this->runtime().setFocus(this->on(kDialog, kCancel));
    };
    this->driver.enter(field);
    EXPECT_EQ(this->events.entries, (Log{"keyPress Dialog.Field1 13", "lostFocus Dialog.Field1"}));
    EXPECT_EQ(this->driver.focus(), this->on(kDialog, kCancel));
}

TYPED_TEST_P(RuntimeContract, AWindowUnloadedByItsOwnButtonLoadsAfreshWhenShownAgain)
{
    const ControlId button = this->on(kOther, kOtherButton);
    // Load doubles the button's width, as the screen scaling scales it.
    this->events.onLoad = [this, button](const std::string& form) {
        if (form == kOther)
            this->runtime().setProperty(button, "Width", 2 * this->runtime().property(button, "Width"));
    };
    this->events.onClick = [this, button](const ControlId& clicked) {
        if (clicked == button) {
            this->runtime().setCaption(button, "Gone");
            this->runtime().unload(kOther);
        }
    };
    this->driver.open(kOther);
    this->driver.click(button);
    EXPECT_FALSE(this->runtime().isLoaded(kOther));
    this->driver.open(kOther);
    EXPECT_EQ(this->events.matching("load"), (Log{"load Other", "load Other"}));
    EXPECT_EQ(this->runtime().property(button, "Width"), 2 * 1200);
    EXPECT_EQ(this->runtime().text(button), "&Next");
}

TYPED_TEST_P(RuntimeContract, ALogOffRefusedAndThenRequestedAgainAsksAgain)
{
    this->driver.open(kMain);
    this->driver.open(kOther);
    this->events.onQueryUnload = [](const std::string&, std::int16_t& cancel, UnloadMode) { cancel = platform::kTrue; };
    EXPECT_FALSE(this->driver.endSession());
    EXPECT_FALSE(this->driver.endSession());
    EXPECT_EQ(this->events.matching("queryUnload"), (Log{"queryUnload Main 2", "queryUnload Main 2"}));
    this->events.onQueryUnload = nullptr;
    EXPECT_TRUE(this->driver.endSession());
    EXPECT_FALSE(this->runtime().isLoaded(kMain));
}

// The close question already open is the one question: the log-off is
// refused without another, and the answer to it decides.
TYPED_TEST_P(RuntimeContract, ALogOffWhileTheCloseQuestionIsOpenDoesNotAskAgain)
{
    this->driver.open(kOther);
    this->driver.open(kMain);
    this->askBeforeClosing();
    this->endSessionInNextBox();
    this->driver.answerNextBox(MsgAnswer::No);
    this->driver.closeBox(kMain);
    EXPECT_EQ(this->sessionEndedInBox, false);
    EXPECT_EQ(this->events.matching("queryUnload"), (Log{"queryUnload Main 0"}));
    EXPECT_TRUE(this->runtime().isLoaded(kMain));

    this->endSessionInNextBox();
    this->driver.answerNextBox(MsgAnswer::Yes);
    this->driver.closeBox(kMain);
    EXPECT_EQ(this->sessionEndedInBox, false);
    EXPECT_EQ(this->events.matching("queryUnload"), (Log{"queryUnload Main 0", "queryUnload Main 0"}));
    EXPECT_FALSE(this->runtime().isLoaded(kMain));
    EXPECT_FALSE(this->runtime().isLoaded(kOther));
}

// A message box open when the log-off comes: the close question is asked
// once over it; No keeps everything, Yes ends the program there.
TYPED_TEST_P(RuntimeContract, ALogOffWhileAMessageBoxIsOpenAsksOnce)
{
    this->driver.open(kOther);
    this->inField1();
    this->askBeforeClosing();
    this->refuseLeaving(this->on(kMain, kField1));
    this->endSessionInNextBox();
    this->driver.answerNextBox(MsgAnswer::No);
    this->driver.answerNextBox(MsgAnswer::Ok);
    this->driver.tab(kMain);
    EXPECT_EQ(this->sessionEndedInBox, false);
    EXPECT_EQ(this->events.entries, (Log{"lostFocus Main.Field1", "queryUnload Other 2"}));
    EXPECT_EQ(this->driver.focus(), this->on(kMain, kField1));

    this->events.entries.clear();
    this->endSessionInNextBox();
    this->driver.answerNextBox(MsgAnswer::Yes);
    this->driver.tab(kMain);
    EXPECT_EQ(this->sessionEndedInBox, true);
    EXPECT_EQ(this->events.entries, (Log{"lostFocus Main.Field1", "queryUnload Other 2"}));
    EXPECT_FALSE(this->runtime().isLoaded(kMain));
    EXPECT_EQ(this->runtime().text(this->on(kMain, kField1)), "");
}

// What a single-line field keeps of several lines: the first. Change sees
// only that, so its rules run on it.
TYPED_TEST_P(RuntimeContract, APasteOfSeveralLinesKeepsTheTextBeforeTheFirstLineBreak)
{
    const ControlId field = this->on(kMain, kField1);
    this->inField1();
    std::vector<std::string> seen;
    this->events.onChange = [this, &seen](const ControlId& changed) { seen.push_back(this->runtime().text(changed)); };
    this->driver.paste(field, "12,5\r\n7\n8");
    this->driver.paste(field, "3.\r4");
    EXPECT_EQ(this->runtime().text(field), "12,53.");
    EXPECT_EQ(seen, (std::vector<std::string>{"12,5", "12,53."}));
}

TYPED_TEST_P(RuntimeContract, TheKeypadDecimalKeyWithAModifierLeavesNothingBehind)
{
    const ControlId field = this->on(kMain, kField1);
    this->inField1();
    for (const Modifier modifier : {Modifier::Ctrl, Modifier::Alt, Modifier::Shift}) {
        this->driver.keypadDecimal(field, modifier);
        this->runtime().setText(field, "");
        this->events.entries.clear();
        this->driver.type(field, "7");
        EXPECT_EQ(this->events.matching("keyPress"), (Log{"keyPress Main.Field1 55"}))
            << static_cast<int>(modifier);
        EXPECT_EQ(this->runtime().text(field), "7") << static_cast<int>(modifier);
    }
}

// A message box and a wait for a slow service hold every window: a press
// of any of their controls, from any source, changes nothing and leaves
// nothing behind. Enter and Esc go to the box.
TYPED_TEST_P(RuntimeContract, NoPressReachesTheWindowsWhileABoxOrAServiceWaitHoldsThem)
{
    const ControlId field = this->on(kDialog, kField1);
    const ControlId ok = this->on(kDialog, kOk);
    this->driver.open(kMain);
    this->inField1(kDialog);
    const auto pressEverything = [this, field, ok] {
        for (const ControlId& control : {this->on(kMain, kGo), this->on(kMain, kField2), ok, field})
            this->driver.actFromOutside(control);
        this->driver.click(ok);
        this->driver.accessKey(kMain, 'g');
        this->driver.closeBox(kMain);
    };
    const auto nothingChanged = [this, field, ok](const char* when) {
        EXPECT_EQ(this->events.entries, Log()) << when;
        EXPECT_EQ(this->driver.focus(), field) << when;
        EXPECT_EQ(this->runtime().text(this->on(kMain, kField2)), "") << when;
        EXPECT_EQ(this->runtime().text(field), "") << when;
        EXPECT_FALSE(this->driver.buttonHeld(ok)) << when;
        EXPECT_TRUE(this->runtime().isLoaded(kMain)) << when;
    };

    this->driver.inNextBox([&] {
        pressEverything();
        this->driver.enter(field);
    });
    EXPECT_EQ(this->runtime().msgBox("Box", MsgButtons::YesNo, MsgIcon::Question, platform::MsgDefault::First),
              MsgAnswer::Yes);
    nothingChanged("behind a box answered by Enter");
    this->driver.inNextBox([&] { this->driver.escape(field); });
    EXPECT_EQ(this->runtime().msgBox("Box", MsgButtons::YesNo, MsgIcon::Question, platform::MsgDefault::First),
              MsgAnswer::No);
    nothingChanged("behind a box answered by Esc");

    this->driver.duringServiceWait([&] {
        pressEverything();
        this->driver.enter(field);
        this->driver.escape(field);
    });
    nothingChanged("during a service wait");

    // The held presses left nothing: the next one acts once.
    this->driver.press(ok);
    EXPECT_EQ(this->events.entries, (Log{"lostFocus Dialog.Field1", "click Dialog.Ok"}));
}

REGISTER_TYPED_TEST_SUITE_P(RuntimeContract, LoadsOnceBeforeTheFirstShowAndBringsALoadedWindowToTheFront,
                            ChangeFollowsEveryTextChangeAlsoOneByTheProgram, KeyPressSeesEveryCharacterAndMayCancelIt,
                            LostFocusRunsWithinTheWindowBeforeTheClick,
                            NoLostFocusForAMessageBoxTheInputBoxOrAnotherWindow, ARefusedLeaveDropsTheClickThatCausedIt,
                            TheCloseQueryNamesItsCauseAndMayBeCancelled,
                            ASessionEndAgreedByEveryWindowEndsTheProgram, AfterEndProgramNoWindowRaisesAnyEvent,
                            PropertiesRoundTripInTwipsAndInTheWindowsOwnScale, SelfSizingLabelsFitTheirText,
                            APressFromNeitherMouseNorKeyboardMovesTheFocusFirst,
                            EnterAndEscReachKeyPressBeforeTheDefaultAndCancelButtons,
                            AWindowUnloadedByItsOwnButtonLoadsAfreshWhenShownAgain,
                            ALogOffRefusedAndThenRequestedAgainAsksAgain,
                            ALogOffWhileTheCloseQuestionIsOpenDoesNotAskAgain, ALogOffWhileAMessageBoxIsOpenAsksOnce,
                            APasteOfSeveralLinesKeepsTheTextBeforeTheFirstLineBreak,
                            TheKeypadDecimalKeyWithAModifierLeavesNothingBehind,
                            NoPressReachesTheWindowsWhileABoxOrAServiceWaitHoldsThem);

} // namespace dravelo::testing::contract
