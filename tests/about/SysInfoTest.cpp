#include "about/SysInfo.h"

#include "forms/Designs.h"
#include "tests/about/FakeRegistry.h"
#include "tests/support/FakeRuntime.h"

#include <gtest/gtest.h>

#include <set>

namespace dravelo::testing {
namespace {

using about::kRegBinary;
using about::kRegDword;
using about::kRegExpandSz;
using about::kRegSz;

const std::string kInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kToolPath = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
const std::string kFolder = "C:\\Windows\\System32";
const std::string kFolderTool = kFolder + "\\MSINFO32.EXE";

// Files on disk, recording every existence test.
class RecordingFiles : public platform::FileSystem {
public:
    std::string writeFile(const std::string&, const std::string&) override { return "read-only"; }
    std::string firstMatch(const std::string& pattern) const override
    {
        tested.push_back(pattern);
        return existing.count(pattern) ? "MSINFO32.EXE" : "";
    }
    std::set<std::string> existing;
    mutable std::vector<std::string> tested;
};

// Starts only the programs installed, as a real launcher does: an empty or
// unknown command fails.
class RecordingLauncher : public platform::Launcher {
public:
    bool launch(const std::string& program) override
    {
        attempts.push_back(program);
        return installed.count(program) > 0;
    }
    std::set<std::string> installed{kToolPath, kFolderTool};
    std::vector<std::string> attempts;
};

FakeValue sz(const std::string& text)
{
    return {kRegSz, text + '\0'};
}

struct LookupCase {
    const char* name;
    std::map<std::string, std::map<std::string, FakeValue>> keys;
    std::set<std::string> refused;
    bool toolInFolder;
    bool launchWorks;
    std::vector<std::string> expectedAttempts;
    bool expectMessage;
    bool expectSecondOpened;
    bool expectFileTest;
};

class StartSysInfoTable : public ::testing::TestWithParam<LookupCase> {};

TEST_P(StartSysInfoTable, FollowsTheLocationsInOrder)
{
    const LookupCase& c = GetParam();
    FakeRegistry registry;
    registry.keys = c.keys;
    registry.refused = c.refused;
    RecordingFiles files;
    if (c.toolInFolder)
        files.existing.insert(kFolderTool);
    RecordingLauncher launcher;
    if (!c.launchWorks)
        launcher.installed.clear();
    FakeRuntime dialogs(forms::allDesigns());

    about::StartSysInfo(dialogs, files, launcher, registry);

    EXPECT_EQ(launcher.attempts, c.expectedAttempts);
    if (c.expectMessage) {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "Le informazioni sul sistema non sono disponibili in questa fase");
        EXPECT_EQ(dialogs.messages[0].buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(dialogs.messages[0].icon, platform::MsgIcon::None);
    } else {
        EXPECT_TRUE(dialogs.messages.empty());
    }
    ASSERT_FALSE(registry.opens.empty());
    EXPECT_EQ(registry.opens[0].key, kInfoKey);
    EXPECT_EQ(registry.opens.size(), c.expectSecondOpened ? 2u : 1u);
    if (c.expectSecondOpened) {
        EXPECT_EQ(registry.opens[1].key, kLocationKey);
    }
    for (const OpenCall& open : registry.opens) {
        EXPECT_EQ(open.root, about::kHKeyLocalMachine);
        EXPECT_EQ(open.access, 0x20019u) << "read access only";
    }
    EXPECT_EQ(files.tested.size(), c.expectFileTest ? 1u : 0u);
    if (c.expectFileTest) {
        EXPECT_EQ(files.tested[0], kFolderTool);
    }
    EXPECT_EQ(registry.openHandles(), 0u) << "every opened key is closed";
}

const std::string k2000(2000, 'x');
const std::string k1024(1024, 'y');

INSTANTIATE_TEST_SUITE_P(
    Cases, StartSysInfoTable,
    ::testing::Values(
        LookupCase{"FirstLocation", {{kInfoKey, {{"PATH", sz(kToolPath)}}}, {kLocationKey, {{"MSINFO", sz(kFolder)}}}},
                   {}, true, true, {kToolPath}, false, false, false},
        LookupCase{"FirstLocationWithoutNul", {{kInfoKey, {{"PATH", {kRegSz, kToolPath}}}}}, {}, false, true,
                   {kToolPath}, false, false, false},
        LookupCase{"SecondLocationWithTool", {{kLocationKey, {{"MSINFO", sz(kFolder)}}}}, {}, true, true,
                   {kFolderTool}, false, true, true},
        LookupCase{"SecondLocationWithoutNul", {{kLocationKey, {{"MSINFO", {kRegSz, kFolder}}}}}, {}, true, true,
                   {kFolderTool}, false, true, true},
        LookupCase{"SecondLocationWithoutTool", {{kLocationKey, {{"MSINFO", sz(kFolder)}}}}, {}, false, true, {},
                   true, true, true},
        LookupCase{"FirstKeyWithoutValue", {{kInfoKey, {}}, {kLocationKey, {{"MSINFO", sz(kFolder)}}}}, {}, true,
                   true, {kFolderTool}, false, true, true},
        LookupCase{"Neither", {}, {}, true, true, {}, true, true, false},
        LookupCase{"FirstOtherType", {{kInfoKey, {{"PATH", {kRegBinary, kToolPath}}}}, {kLocationKey, {{"MSINFO", sz(kFolder)}}}},
                   {}, true, true, {""}, true, false, false},
        LookupCase{"FirstExpandString", {{kInfoKey, {{"PATH", {kRegExpandSz, kToolPath + '\0'}}}}}, {}, true, true,
                   {""}, true, false, false},
        LookupCase{"FirstDword", {{kInfoKey, {{"PATH", {kRegDword, std::string("\x0F\xA2\x01\x00", 4)}}}}, {kLocationKey, {{"MSINFO", sz(kFolder)}}}},
                   {}, true, true, {"&h1A2F"}, true, false, false},
        LookupCase{"FirstZeroLength", {{kInfoKey, {{"PATH", {kRegSz, ""}}}}, {kLocationKey, {{"MSINFO", sz(kFolder)}}}},
                   {}, true, true, {}, true, false, false},
        LookupCase{"FirstTooLong", {{kInfoKey, {{"PATH", sz(k2000)}}}, {kLocationKey, {{"MSINFO", sz(kFolder)}}}}, {},
                   true, true, {kFolderTool}, false, true, true},
        LookupCase{"FirstFillsTheBuffer", {{kInfoKey, {{"PATH", {kRegSz, k1024}}}}}, {}, false, true, {k1024}, true,
                   false, false},
        LookupCase{"FirstRefused", {{kInfoKey, {{"PATH", sz(kToolPath)}}}, {kLocationKey, {{"MSINFO", sz(kFolder)}}}},
                   {kInfoKey}, true, true, {kFolderTool}, false, true, true},
        LookupCase{"BothRefused", {{kInfoKey, {{"PATH", sz(kToolPath)}}}, {kLocationKey, {{"MSINFO", sz(kFolder)}}}},
                   {kInfoKey, kLocationKey}, true, true, {}, true, true, false},
        LookupCase{"LaunchFails", {{kInfoKey, {{"PATH", sz(kToolPath)}}}}, {}, false, false, {kToolPath}, true, false,
                   false}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST(GetKeyValue, TextWithAndWithoutNulReadsTheSame)
{
    FakeRegistry registry;
    registry.keys["K"] = {{"with", {kRegSz, std::string("abc\0", 4)}}, {"without", {kRegSz, "abc"}}};
    std::string with = "old", without = "old";
    EXPECT_TRUE(about::GetKeyValue(registry, about::kHKeyLocalMachine, "K", "with", with));
    EXPECT_TRUE(about::GetKeyValue(registry, about::kHKeyLocalMachine, "K", "without", without));
    EXPECT_EQ(with, "abc");
    EXPECT_EQ(without, "abc");
}

TEST(GetKeyValue, FailuresEmptyTheTextAndCloseTheKey)
{
    FakeRegistry registry;
    registry.keys["K"] = {{"long", {kRegSz, std::string(1025, 'z')}}};
    registry.keys["Denied"] = {{"v", sz("x")}};
    registry.refused = {"Denied"};
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"Missing", "v"}, {"K", "missing"}, {"K", "long"}, {"Denied", "v"}}) {
        std::string text = "old";
        EXPECT_FALSE(about::GetKeyValue(registry, about::kHKeyLocalMachine, key, value, text)) << key << "|" << value;
        EXPECT_EQ(text, "") << key << "|" << value;
    }
    EXPECT_EQ(registry.openHandles(), 0u);
    EXPECT_EQ(registry.closes, 4) << "the key is closed also after a failed open";
}

TEST(GetKeyValue, OtherTypesKeepTheText)
{
    FakeRegistry registry;
    registry.keys["K"] = {{"bin", {kRegBinary, "\x01\x02"}}, {"expand", {kRegExpandSz, sz("%x%").bytes}}};
    for (const char* value : {"bin", "expand"}) {
        std::string text = "kept";
        EXPECT_TRUE(about::GetKeyValue(registry, about::kHKeyLocalMachine, "K", value, text)) << value;
        EXPECT_EQ(text, "kept") << value;
    }
}

TEST(GetKeyValue, ZeroLengthValueFailsAndClosesTheKey)
{
    FakeRegistry registry;
    registry.keys["K"] = {{"empty", {kRegSz, ""}}};
    std::string text;
    EXPECT_THROW(about::GetKeyValue(registry, about::kHKeyLocalMachine, "K", "empty", text), std::runtime_error);
    EXPECT_EQ(registry.openHandles(), 0u);
}

TEST(GetKeyValue, DwordBytesLastToFirst)
{
    FakeRegistry registry;
    registry.keys["K"] = {{"full", {kRegDword, std::string("\x78\x56\x34\x12", 4)}},
                          {"small", {kRegDword, std::string("\x05\x00\x00\x00", 4)}}};
    std::string full, small;
    EXPECT_TRUE(about::GetKeyValue(registry, about::kHKeyLocalMachine, "K", "full", full));
    EXPECT_TRUE(about::GetKeyValue(registry, about::kHKeyLocalMachine, "K", "small", small));
    EXPECT_EQ(full, "&h12345678");
    // The last byte, a NUL, goes with the trimming; the others are written
    // without leading zeros.
    EXPECT_EQ(small, "&h005");
}

TEST(DwordText, EachByteWithoutLeadingZero)
{
    EXPECT_EQ(about::dwordText(std::string("\x0A\x00\xFF", 3)), "&hFF0A");
    EXPECT_EQ(about::dwordText(""), "&h");
}

} // namespace
} // namespace dravelo::testing
