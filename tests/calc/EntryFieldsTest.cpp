#include "tests/calc/Form2Harness.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using dravelo::calc::Modulo1;
using dravelo::platform::MsgButtons;
using dravelo::platform::MsgIcon;
using dravelo::testing::Form2Harness;

constexpr std::int16_t kEnter = 13;
const char* const kUseTheComma = "Usare la virgola invece del punto !";
const char* const kUseNumbers = "Usare i numeri !";

struct Field {
    const char* name;
    double Modulo1::*element;
    const char* enterGoesTo;
};

const Field kPercentFields[] = {
    {"Text2", &Modulo1::Carbonio, "Text3"},
    {"Text3", &Modulo1::Idrogeno, "Text4"},
    {"Text4", &Modulo1::Ossigeno, "Text5"},
    {"Text5", &Modulo1::Cloro, "Text6"},
    {"Text6", &Modulo1::Zolfo, "Command4"},
};

class EntryFields : public ::testing::Test {
protected:
    // Leaves the field for the "&Calcola" button, without pressing it.
    void leave() { form.runtime.userFocus(Form2Harness::control("Command4")); }
    void expectOneMessage(const char* text)
    {
        ASSERT_EQ(form.runtime.messages.size(), 1u);
        EXPECT_EQ(form.runtime.messages[0].text, text);
        EXPECT_EQ(form.runtime.messages[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(form.runtime.messages[0].icon, MsgIcon::Exclamation);
    }

    Form2Harness form;
};

TEST_F(EntryFields, EnterFollowsTheElementOrder)
{
    const std::pair<const char*, const char*> order[] = {
        {"Text1", "Text2"}, {"Text2", "Text3"}, {"Text3", "Text4"},
        {"Text4", "Text5"}, {"Text5", "Text6"}, {"Text6", "Command4"},
    };
    for (auto [from, to] : order) {
        form.runtime.userFocus(Form2Harness::control(from));
        EXPECT_EQ(form.pressKey(from, kEnter), kEnter) << "Enter is left unconsumed";
        EXPECT_EQ(form.runtime.focus, Form2Harness::control(to)) << from;
    }
    EXPECT_TRUE(form.runtime.messages.empty());
    EXPECT_EQ(form.text("Text9"), "") << "Enter on Text6 does not press \"&Calcola\"";
}

TEST_F(EntryFields, OtherKeysPassUnchangedAndKeepTheFocus)
{
    for (const char* field : {"Text1", "Text2", "Text6"}) {
        form.runtime.userFocus(Form2Harness::control(field));
        for (int key : {int{'a'}, int{'.'}, int{','}, int{'0'}, 27, 10})
            EXPECT_EQ(form.pressKey(field, static_cast<std::int16_t>(key)), key);
        EXPECT_EQ(form.runtime.focus, Form2Harness::control(field));
    }
}

TEST_F(EntryFields, LeavingStoresIntoItsOwnElement)
{
    double value = 1;
    for (const Field& f : kPercentFields) {
        value += 1;
        form.typeInto(f.name, std::to_string(static_cast<int>(value)) + ",5");
        leave();
        EXPECT_EQ(form.record.*f.element, value + 0.5) << f.name;
    }
    EXPECT_EQ(form.record.Carbonio, 2.5);
    EXPECT_EQ(form.record.Idrogeno, 3.5);
    EXPECT_EQ(form.record.Ossigeno, 4.5);
    EXPECT_EQ(form.record.Cloro, 5.5);
    EXPECT_EQ(form.record.Zolfo, 6.5);
    EXPECT_EQ(form.text("Text4"), "4,5");
    EXPECT_TRUE(form.runtime.messages.empty());
}

TEST_F(EntryFields, AcceptedTexts)
{
    const std::pair<const char*, double> accepted[] = {
        {"12,5", 12.5}, {"-5", -5}, {"150", 150}, {"1.5", 15}, {" 7 ", 7}, {"1E+307", 1e307}, {",5", 0.5},
    };
    for (const Field& f : kPercentFields) {
        for (auto [typed, value] : accepted) {
            form.typeInto(f.name, typed);
            leave();
            EXPECT_EQ(form.record.*f.element, value) << f.name << " " << typed;
            EXPECT_EQ(form.text(f.name), typed) << "the field keeps what was typed";
        }
    }
    EXPECT_TRUE(form.runtime.messages.empty());
}

TEST_F(EntryFields, LeavingAnEmptyFieldFillsInZero)
{
    for (const Field& f : kPercentFields) {
        form.record.*f.element = 42;
        form.runtime.userFocus(Form2Harness::control(f.name));
        leave();
        EXPECT_EQ(form.text(f.name), "0");
        EXPECT_EQ(form.record.*f.element, 0) << f.name;
    }
    EXPECT_TRUE(form.runtime.messages.empty());
}

TEST_F(EntryFields, TextThatIsNoNumberIsRefusedOnLeaving)
{
    for (const char* typed : {"abc", "   ", "12,5,1", "1E+400", "inf", "5 5"}) {
        for (const Field& f : kPercentFields) {
            SCOPED_TRACE(std::string(f.name) + " \"" + typed + "\"");
            form.runtime.messages.clear();
            form.record.*f.element = 3;
            form.typeInto(f.name, typed);
            EXPECT_EQ(form.text(f.name), typed) << "letters stay until the field is left";
            EXPECT_TRUE(form.runtime.messages.empty());
            leave();
            expectOneMessage(kUseNumbers);
            EXPECT_EQ(form.text(f.name), "");
            EXPECT_EQ(form.runtime.focus, Form2Harness::control(f.name));
            EXPECT_EQ(form.record.*f.element, 3);

            // Leaving again without typing gives 0.
            leave();
            EXPECT_EQ(form.text(f.name), "0");
            EXPECT_EQ(form.record.*f.element, 0);
            EXPECT_EQ(form.runtime.messages.size(), 1u);
        }
    }
}

// Under settings whose decimal separator is the point (and under C
// settings), the comma the program asks for is read as the decimal
// separator; the point keeps its meaning, the two together are no number,
// and the point rule stands.
TEST_F(EntryFields, CommaIsTheDecimalSeparatorUnderPointSettings)
{
    for (const auto& format : {dravelo::platform::englishNumberFormat(), dravelo::platform::cNumberFormat()}) {
        form.runtime.numberFormat_ = format;
        form.runtime.messages.clear();
        form.typeInto("Text2", "85,5");
        leave();
        EXPECT_EQ(form.record.Carbonio, 85.5);
        EXPECT_EQ(form.text("Text2"), "85,5") << "the field keeps what was typed";
        form.typeInto("Text2", "60.5");
        leave();
        EXPECT_EQ(form.record.Carbonio, 60.5);
        EXPECT_TRUE(form.runtime.messages.empty());

        form.typeInto("Text2", "1.2,5");
        leave();
        expectOneMessage(kUseNumbers);
        EXPECT_EQ(form.text("Text2"), "");
        EXPECT_EQ(form.runtime.focus, Form2Harness::control("Text2"));
        EXPECT_EQ(form.record.Carbonio, 60.5);

        form.runtime.messages.clear();
        form.runtime.type(Form2Harness::control("Text2"), "12.");
        expectOneMessage(kUseTheComma);
        EXPECT_EQ(form.text("Text2"), "");
    }
}

TEST_F(EntryFields, PointAtTheEndIsRefusedAtOnce)
{
    for (const Field& f : kPercentFields) {
        SCOPED_TRACE(f.name);
        form.runtime.messages.clear();
        form.typeInto(f.name, "8");
        leave();
        ASSERT_EQ(form.record.*f.element, 8);

        form.typeInto(f.name, "12");
        form.runtime.type(Form2Harness::control(f.name), "12.");
        expectOneMessage(kUseTheComma);
        EXPECT_EQ(form.text(f.name), "");
        EXPECT_EQ(form.runtime.focus, Form2Harness::control(f.name));
        EXPECT_EQ(form.record.*f.element, 8) << "the record keeps the last value left";
    }
}

TEST_F(EntryFields, PastedTextEndingWithAPointIsRefused)
{
    form.typeInto("Text3", "1.5.");
    expectOneMessage(kUseTheComma);
    EXPECT_EQ(form.text("Text3"), "");
}

TEST_F(EntryFields, PointInsideTheTextPassesAndGroupsThousands)
{
    form.typeInto("Text2", "1.5");
    EXPECT_TRUE(form.runtime.messages.empty());
    leave();
    EXPECT_EQ(form.record.Carbonio, 15);
    EXPECT_EQ(form.text("Text2"), "1.5");
}

TEST_F(EntryFields, FuelNameIsFreeText)
{
    form.typeInto("Text1", "Gasolio. 12abc.");
    form.runtime.userFocus(Form2Harness::control("Text2"));
    EXPECT_EQ(form.text("Text1"), "Gasolio. 12abc.");
    EXPECT_TRUE(form.runtime.messages.empty());
    EXPECT_EQ(form.record.Carbonio, 0);
}

TEST_F(EntryFields, EnterOnText6LeavesItAndStoresSulphur)
{
    form.typeInto("Text6", "2,5");
    form.pressKey("Text6", kEnter);
    EXPECT_EQ(form.record.Zolfo, 2.5);
    EXPECT_EQ(form.runtime.focus, Form2Harness::control("Command4"));
}

TEST_F(EntryFields, VeryLongTextDoesNotBreakAnything)
{
    form.typeInto("Text2", std::string(200000, '9'));
    leave();
    expectOneMessage(kUseNumbers);
    form.runtime.messages.clear();
    form.typeInto("Text2", std::string(200000, '0') + "1");
    leave();
    EXPECT_EQ(form.record.Carbonio, 1);
    EXPECT_TRUE(form.runtime.messages.empty());
}

// The two worked examples typed as a user would, with commas, then
// "&Calcola": the result in the regional format.
TEST_F(EntryFields, WorkedExamplesTypedWithEnter)
{
    const struct {
        dravelo::platform::NumberFormat format;
        const char* first;
        const char* second;
    } settings[] = {
        {dravelo::platform::italianNumberFormat(), "9493,8", "5390,2"},
        {dravelo::platform::englishNumberFormat(), "9493.8", "5390.2"},
    };
    const char* const fields[] = {"Text2", "Text3", "Text4", "Text5", "Text6"};
    for (const auto& s : settings) {
        form.runtime.numberFormat_ = s.format;
        for (const auto& [values, expected] : {std::pair{std::array{"85,5", "11,2", "0,8", "0", "2,5"}, s.first},
                                               {std::array{"60", "4", "10", "1,2", "1,5"}, s.second}}) {
            form.typeInto("Text1", "Olio combustibile");
            form.pressKey("Text1", kEnter);
            for (std::size_t i = 0; i < values.size(); ++i) {
                ASSERT_EQ(form.runtime.focus, Form2Harness::control(fields[i]));
                form.runtime.type(Form2Harness::control(fields[i]), values[i]);
                form.pressKey(fields[i], kEnter);
            }
            form.clickCalcola();
            EXPECT_EQ(form.text("Text9"), expected);
        }
    }
    EXPECT_TRUE(form.runtime.messages.empty());
}

// Typing into a field and clicking "&Calcola" at once uses the new value.
TEST_F(EntryFields, CalcolaUsesTheValueJustTyped)
{
    form.typeInto("Text2", "100");
    form.clickCalcola();
    EXPECT_EQ(form.text("Text9"), "7783");
    form.typeInto("Text2", "abc");
    form.clickCalcola();
    expectOneMessage(kUseNumbers);
    EXPECT_EQ(form.text("Text9"), "7783") << "a refused leave cancels the click";
    EXPECT_EQ(form.runtime.focus, Form2Harness::control("Text2"));
}

} // namespace
