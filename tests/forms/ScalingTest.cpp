#include "forms/Designs.h"
#include "forms/Scaling.h"
#include "tests/support/FakeRuntime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace dravelo::forms {
namespace {

using platform::ControlId;
using platform::ControlKind;
using platform::ScreenSize;
using testing::FakeRuntime;

const ScreenSize k640x480at96{9600, 7200};
const ScreenSize k800x600at120{9600, 7200};
const ScreenSize k800x480at96{12000, 7200};
const ScreenSize k800x600at96{12000, 9000};
const ScreenSize k1024x768at96{15360, 11520};
const ScreenSize k640x480at120{7680, 5760};
const ScreenSize k1280x1024at96{19200, 15360};

const char* const kBoxProperties[] = {"Left", "Top", "Width", "Height"};
const char* const kLineProperties[] = {"X1", "Y1", "X2", "Y2"};
const char* const kFormNames[] = {kForm1, kForm2, kFrmAbout};

// Every value the scaling may touch, by "Control(index).Property".
using Snapshot = std::map<std::string, double>;

bool fitsItsText(const FakeRuntime& runtime, const ControlId& id)
{
    for (const platform::ControlDesign& c : runtime.designOf(id.form).controls)
        if (c.name == id.name && c.index == id.index)
            return c.cls == platform::ControlClass::Label && c.autoSize && !c.wordWrap;
    return false;
}

Snapshot snapshot(const FakeRuntime& runtime, const std::string& form)
{
    Snapshot values;
    for (const char* property : kBoxProperties)
        values[std::string("Form.") + property] = runtime.formProperty(form, property);
    for (const ControlId& id : runtime.controls(form)) {
        const std::string prefix = id.name + "(" + std::to_string(id.index) + ").";
        const ControlKind kind = runtime.kind(id);
        if (kind == ControlKind::Line) {
            for (const char* property : kLineProperties)
                values[prefix + property] = runtime.property(id, property);
            continue;
        }
        for (const char* property : kBoxProperties) {
            // A self-sizing label's width follows its text, not the scale.
            if (property == std::string("Width") && fitsItsText(runtime, id))
                continue;
            values[prefix + property] = runtime.property(id, property);
        }
        if (kind == ControlKind::Other)
            values[prefix + "FontSize"] = runtime.property(id, "FontSize");
    }
    return values;
}

struct Loaded {
    FakeRuntime runtime{allDesigns()};
    ScalingValues values;
    bool scaled = false;

    Loaded(ScreenSize screen, const std::string& form)
    {
        runtime.screen_ = screen;
        runtime.show(form);
        scaled = scaleForm(runtime, form, values);
    }
};

Snapshot designSnapshot(const std::string& form)
{
    FakeRuntime runtime(allDesigns());
    runtime.show(form);
    return snapshot(runtime, form);
}

TEST(ScaleForm, ScreensOfReferenceHeightChangeNothing)
{
    const std::pair<const char*, ScreenSize> screens[] = {
        {"640x480@96", k640x480at96}, {"800x600@120", k800x600at120}, {"800x480@96", k800x480at96}};
    for (const auto& [screenName, screen] : screens) {
        for (const char* form : kFormNames) {
            SCOPED_TRACE(std::string(screenName) + " " + form);
            Loaded loaded(screen, form);
            EXPECT_FALSE(loaded.scaled);
            EXPECT_EQ(snapshot(loaded.runtime, form), designSnapshot(form));
            EXPECT_EQ(loaded.values.LarghezzaBase, 9600);
            EXPECT_EQ(loaded.values.AltezzaBase, 7200);
            EXPECT_EQ(loaded.values.FattoreX, 0.0f);
            EXPECT_EQ(loaded.values.FattoreY, 0.0f);
        }
    }
}

struct Expected {
    const char* form;
    ControlId control; // empty name: the window itself
    const char* property;
    double value;
};

void expectValues(const std::vector<Expected>& table, ScreenSize screen)
{
    for (const Expected& e : table) {
        SCOPED_TRACE(std::string(e.form) + "." + e.control.name + "." + e.property);
        Loaded loaded(screen, e.form);
        ASSERT_TRUE(loaded.scaled);
        const double actual = e.control.name.empty() ? loaded.runtime.formProperty(e.form, e.property)
                                                     : loaded.runtime.property(e.control, e.property);
        EXPECT_EQ(actual, e.value);
    }
}

TEST(ScaleForm, At800x600AllValuesGrowByAQuarter)
{
    expectValues(
        {
            {kForm2, {kForm2, "Text2"}, "Left", 3900},
            {kForm2, {kForm2, "Text2"}, "Top", 1725},
            {kForm2, {kForm2, "Text2"}, "Width", 1368.75},
            {kForm2, {kForm2, "Text2"}, "Height", 356.25},
            {kForm2, {kForm2, "Text2"}, "FontSize", 10.3125},
            {kForm2, {kForm2, "Line1"}, "X1", 0},
            {kForm2, {kForm2, "Line1"}, "Y1", 3750},
            {kForm2, {kForm2, "Line1"}, "X2", 11400},
            {kForm2, {kForm2, "Line1"}, "Y2", 3750},
            {kForm2, {kForm2, "Command3"}, "FontSize", 15},
            {kForm1, {}, "Width", 6000},
            {kForm1, {}, "Height", 3600 * 1.25},
            {kForm1, {}, "Left", 0},
            {kForm1, {kForm1, "Image1"}, "Width", 6255 * 1.25},
            {kForm1, {kForm1, "Image1"}, "Height", 1365 * 1.25},
            {kForm1, {kForm1, "Command1"}, "FontSize", 9.75 * 1.25},
            {kForm1, {kForm1, "Label3"}, "FontSize", 16.875},
            {kFrmAbout, {}, "Left", 2280 * 1.25},
            {kFrmAbout, {}, "Width", 5850 * 1.25},
            // The About box's controls are in its own scale's units.
            {kFrmAbout, {kFrmAbout, "Line1", 0}, "X1", 123.25053405761719},
            {kFrmAbout, {kFrmAbout, "Line1", 1}, "Y2", 2109.47802734375},
        },
        k800x600at96);
}

TEST(ScaleForm, ExactSingleValuesOnOtherScreens)
{
    expectValues({{kForm2, {kForm2, "Text2"}, "Left", 4992}, {kForm2, {kForm2, "Text2"}, "Height", 456}},
                 k1024x768at96);
    expectValues({{kForm2, {kForm2, "Text2"}, "Left", 2496},
                  {kForm2, {kForm2, "Text2"}, "FontSize", 8.25 * 0.800000011920928955078125}},
                 k640x480at120);
    expectValues({{kForm2, {kForm2, "Text2"}, "Width", 2190},
                  {kForm2, {kForm2, "Text2"}, "Height", 608.0000610351562},
                  {kForm1, {kForm1, "Image1"}, "Height", 2912.000244140625},
                  {kForm2, {kForm2, "Text2"}, "FontSize", 8.25 * 2.06666672229766845703125}},
                 k1280x1024at96);
}

TEST(ScaleForm, KeepsTheFactorsOfTheWindow)
{
    Loaded loaded(k1280x1024at96, kForm2);
    EXPECT_EQ(loaded.values.LarghezzaBase, 9600);
    EXPECT_EQ(loaded.values.AltezzaBase, 7200);
    EXPECT_EQ(loaded.values.FattoreX, 2.0f);
    EXPECT_EQ(loaded.values.FattoreY, 2.1333334445953369140625f);
}

// Every value of every window follows its own axis and nothing else moves.
TEST(ScaleForm, EveryValueFollowsItsAxis)
{
    for (const char* form : kFormNames) {
        SCOPED_TRACE(form);
        const Snapshot design = designSnapshot(form);
        Loaded loaded(k1280x1024at96, form);
        const Snapshot scaled = snapshot(loaded.runtime, form);
        ASSERT_EQ(scaled.size(), design.size());
        for (const auto& [key, before] : design) {
            SCOPED_TRACE(key);
            const double after = scaled.at(key);
            const std::string property = key.substr(key.rfind('.') + 1);
            if (property == "FontSize")
                EXPECT_NEAR(after, before * 2.0666667, 1e-5);
            else if (property == "Left" || property == "Width" || property[0] == 'X')
                EXPECT_FLOAT_EQ(after, before * 2);
            else
                EXPECT_NEAR(after, before * 2.1333333, before * 1e-6);
        }
    }
}

// Records each read and write of a geometry or font value.
class RecordingRuntime : public FakeRuntime {
public:
    RecordingRuntime() : FakeRuntime(allDesigns()) {}

    float formProperty(const std::string& form, const std::string& name) const override
    {
        log.push_back("read " + form + "." + name);
        return FakeRuntime::formProperty(form, name);
    }
    void setFormProperty(const std::string& form, const std::string& name, float value) override
    {
        log.push_back("write " + form + "." + name);
        FakeRuntime::setFormProperty(form, name, value);
    }
    double property(const ControlId& id, const std::string& name) const override
    {
        log.push_back("read " + id.name + "." + name);
        return FakeRuntime::property(id, name);
    }
    void setProperty(const ControlId& id, const std::string& name, double value) override
    {
        log.push_back("write " + id.name + "." + name);
        FakeRuntime::setProperty(id, name, value);
    }

    std::vector<std::string> entriesFor(const std::string& owner) const
    {
        std::vector<std::string> entries;
        for (const std::string& entry : log)
            if (entry.find(" " + owner + ".") != std::string::npos)
                entries.push_back(entry);
        return entries;
    }

    mutable std::vector<std::string> log;
};

TEST(ScaleForm, ReadsEachValueJustBeforeWritingItInTheDesignedOrder)
{
    RecordingRuntime runtime;
    runtime.screen_ = k800x600at96;
    runtime.show(kForm1);
    ScalingValues values;
    ASSERT_TRUE(scaleForm(runtime, kForm1, values));
    centreTitles(runtime, kForm1);

    const std::vector<std::string> box = {
        "read Form1.Height", "write Form1.Height", "read Form1.Width", "write Form1.Width",
        "read Form1.Top",    "write Form1.Top",    "read Form1.Left",  "write Form1.Left",
        // then Label3 and Label4 are centred, each after reading the width afresh
        "read Form1.Width",  "read Form1.Width"};
    EXPECT_EQ(runtime.entriesFor("Form1"), box);

    EXPECT_EQ(runtime.entriesFor("Image1"),
              (std::vector<std::string>{"read Image1.Height", "write Image1.Height", "read Image1.Width",
                                        "write Image1.Width", "read Image1.Top", "write Image1.Top",
                                        "read Image1.Left", "write Image1.Left"}));
    EXPECT_EQ(runtime.entriesFor("cmdExit"),
              (std::vector<std::string>{"read cmdExit.Height", "write cmdExit.Height", "read cmdExit.Width",
                                        "write cmdExit.Width", "read cmdExit.Top", "write cmdExit.Top",
                                        "read cmdExit.Left", "write cmdExit.Left", "read cmdExit.FontSize",
                                        "write cmdExit.FontSize"}));
    // Label3 is centred only after every control is scaled, Label4 after it.
    const auto& log = runtime.log;
    const auto lastScaleWrite = std::find(log.begin(), log.end(), "write Label3.FontSize");
    const auto centre3 = std::find(lastScaleWrite, log.end(), "write Label3.Left");
    const auto centre4 = std::find(lastScaleWrite, log.end(), "write Label4.Left");
    ASSERT_NE(centre3, log.end());
    ASSERT_NE(centre4, log.end());
    EXPECT_LT(centre3, centre4);
    EXPECT_EQ(*(centre3 - 1), "read Label3.Width");
    EXPECT_EQ(*(centre4 - 1), "read Label4.Width");
}

TEST(ScaleForm, LinesOnlyMoveTheirEndPoints)
{
    RecordingRuntime runtime;
    runtime.screen_ = k800x600at96;
    runtime.show(kFrmAbout);
    ScalingValues values;
    scaleForm(runtime, kFrmAbout, values);
    const std::vector<std::string> endPoints = {"read Line1.X1", "write Line1.X1", "read Line1.X2", "write Line1.X2",
                                                "read Line1.Y1", "write Line1.Y1", "read Line1.Y2", "write Line1.Y2"};
    std::vector<std::string> both = endPoints;
    both.insert(both.end(), endPoints.begin(), endPoints.end());
    EXPECT_EQ(runtime.entriesFor("Line1"), both);
}

TEST(CentreTitles, PutsBothTitlesInTheMiddleOfTheScreen)
{
    Loaded loaded(k800x600at96, kForm1);
    ASSERT_TRUE(loaded.scaled);
    centreTitles(loaded.runtime, kForm1);
    // Their middles are the middle of the 12000-twip screen; their tops stay.
    for (const char* label : {"Label3", "Label4"}) {
        SCOPED_TRACE(label);
        const ControlId id{kForm1, label};
        EXPECT_NEAR(loaded.runtime.property(id, "Left") + loaded.runtime.property(id, "Width") / 2, 6000, 0.01);
    }
    EXPECT_EQ(loaded.runtime.property({kForm1, "Label3"}, "Top"), 3300);
    EXPECT_EQ(loaded.runtime.property({kForm1, "Label4"}, "Top"), 4800);
}

// Labels that fit their caption take a width of their own after a font
// change: the centring must use that width, not the scaled one.
// The in-memory runtime fits a self-sizing label to its text whenever its
// font changes, as the real ones do.
double fittedWidth(const FakeRuntime& runtime, const ControlId& id)
{
    return static_cast<double>(runtime.text(id).size()) * runtime.property(id, "FontSize") *
           FakeRuntime::kTwipsPerCharacterPoint;
}

TEST(CentreTitles, UsesTheWidthTheLabelsFittedAfterScaling)
{
    FakeRuntime runtime(allDesigns());
    runtime.screen_ = k1024x768at96;
    runtime.show(kForm1);
    ScalingValues values;
    ASSERT_TRUE(scaleForm(runtime, kForm1, values));
    centreTitles(runtime, kForm1);
    const float formWidth = runtime.formProperty(kForm1, "Width");
    EXPECT_EQ(formWidth, 7680);
    for (const char* label : {"Label3", "Label4"}) {
        SCOPED_TRACE(label);
        const ControlId id{kForm1, label};
        const auto width = static_cast<float>(runtime.property(id, "Width"));
        EXPECT_EQ(width, static_cast<float>(fittedWidth(runtime, id)));
        const double left = runtime.property(id, "Left");
        // Its middle is the middle of the 15360-twip screen.
        EXPECT_NEAR(left + width / 2, 7680, 0.01);
    }
}

// Loads the About box the way its load handler does, through the runtime.
class ScalingOnLoad : public platform::FormEvents {
public:
    explicit ScalingOnLoad(FakeRuntime& runtime) : runtime_(runtime) {}
    void load(const std::string& form) override { scaleForm(runtime_, form, values[form]); }
    void click(const ControlId&) override {}
    void keyPress(const ControlId&, std::int16_t&) override {}
    void change(const ControlId&) override {}
    void lostFocus(const ControlId&) override {}
    void queryUnload(const std::string&, std::int16_t&, platform::UnloadMode) override {}
    std::map<std::string, ScalingValues> values;

private:
    FakeRuntime& runtime_;
};

TEST(ScaleForm, AboutBoxReopenedKeepsTheSameGeometry)
{
    FakeRuntime runtime(allDesigns());
    runtime.screen_ = k800x600at96;
    ScalingOnLoad events(runtime);
    runtime.setEvents(&events);

    runtime.show(kFrmAbout);
    const Snapshot first = snapshot(runtime, kFrmAbout);
    EXPECT_EQ(first.at("Form.Width"), 5850 * 1.25);
    EXPECT_EQ(first.at("cmdOK(-1).FontSize"), 10.3125);
    for (int reopening = 0; reopening < 3; ++reopening) {
        SCOPED_TRACE(reopening);
        runtime.unload(kFrmAbout);
        ASSERT_FALSE(runtime.isLoaded(kFrmAbout));
        runtime.show(kFrmAbout);
        EXPECT_EQ(snapshot(runtime, kFrmAbout), first);
    }
}

} // namespace
} // namespace dravelo::forms
