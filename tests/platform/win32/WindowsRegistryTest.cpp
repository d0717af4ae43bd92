// The registry layer and the launcher against the system's registry: values
// written with RegSetValueExA, then read back through advapi32.

#include "about/Registry.h"
#include "about/SysInfo.h"
#include "platform/win32/WindowsServices.h"
#include "tests/platform/win32/WindowsFixtures.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace dravelo::testing {
namespace {

using about::RegKey;

const char* const kTestKey = "Software\\Dravelo registry test";
const char* const kInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const kUnavailable = "Le informazioni sul sistema non sono disponibili in questa fase";

RegKey handle(HKEY key)
{
    return reinterpret_cast<RegKey>(key);
}

// Stores exactly these bytes. The byte after them is not NUL: advapi32
// counts a NUL that follows a string value as part of it.
void setValue(HKEY root, const char* key, const char* name, DWORD type, const std::string& bytes)
{
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr), ERROR_SUCCESS) << key;
    const std::string guarded = bytes + 'Z';
    ASSERT_EQ(RegSetValueExA(opened, name, 0, type, reinterpret_cast<const BYTE*>(guarded.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS)
        << name;
    RegCloseKey(opened);
}

bool valueExists(HKEY root, const char* key, const char* name)
{
    return RegGetValueA(root, key, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

class RegistryValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        setValue(HKEY_CURRENT_USER, kTestKey, "with nul", REG_SZ, std::string("C:\\x\\tool.exe\0", 14));
        setValue(HKEY_CURRENT_USER, kTestKey, "without nul", REG_SZ, "C:\\x\\tool.exe");
        setValue(HKEY_CURRENT_USER, kTestKey, "dword", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
        setValue(HKEY_CURRENT_USER, kTestKey, "binary", REG_BINARY, std::string("\x01\x00\x02", 3));
        setValue(HKEY_CURRENT_USER, kTestKey, "empty", REG_SZ, "");
        setValue(HKEY_CURRENT_USER, kTestKey, "long", REG_SZ, std::string(2000, 'L'));
    }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }

    std::unique_ptr<about::Registry> registry = about::platformRegistry();
    const RegKey root = handle(HKEY_CURRENT_USER);
};

TEST_F(RegistryValues, QueryReportsTypeAndSizeAsStored)
{
    RegKey key = 0;
    ASSERT_EQ(registry->openKey(root, kTestKey, 0, about::kKeyRead, key), about::kErrorSuccess);

    struct Expected {
        const char* name;
        long result;
        std::uint32_t type;
        std::uint32_t size;
    };
    for (const Expected& e : std::vector<Expected>{{"with nul", 0, about::kRegSz, 14},
                                                   {"without nul", 0, about::kRegSz, 13},
                                                   {"dword", 0, about::kRegDword, 4},
                                                   {"binary", 0, about::kRegBinary, 3},
                                                   {"empty", 0, about::kRegSz, 0},
                                                   {"long", about::kErrorMoreData, about::kRegSz, 2000},
                                                   {"missing", about::kErrorFileNotFound, 0, 1024}}) {
        std::array<unsigned char, 1024> buffer;
        buffer.fill(0xAB);
        std::uint32_t type = 0;
        std::uint32_t size = buffer.size();
        EXPECT_EQ(registry->queryValue(key, e.name, type, buffer.data(), size), e.result) << e.name;
        if (e.result != about::kErrorFileNotFound) {
            EXPECT_EQ(type, e.type) << e.name;
        }
        EXPECT_EQ(size, e.size) << e.name;
        if (e.size == 0) {
            EXPECT_EQ(buffer[0], 0xAB) << "a zero-length value writes nothing";
        }
    }
    EXPECT_EQ(registry->closeKey(key), about::kErrorSuccess);
}

TEST_F(RegistryValues, MissingKeysAndClosedHandles)
{
    RegKey key = 0;
    EXPECT_EQ(registry->openKey(root, "Software\\Dravelo no such key", 0, about::kKeyRead, key),
              about::kErrorFileNotFound);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(registry->closeKey(0), about::kErrorInvalidHandle);
    EXPECT_EQ(registry->openKey(about::kHKeyLocalMachine, "SOFTWARE", 0, about::kKeyRead, key), about::kErrorSuccess)
        << "the local-machine root constant is the system's";
    EXPECT_EQ(registry->closeKey(key), about::kErrorSuccess);
}

TEST_F(RegistryValues, GetKeyValueReadsTheStoredValues)
{
    struct Expected {
        const char* name;
        bool read;
        std::string text;
    };
    for (const Expected& e : std::vector<Expected>{{"with nul", true, "C:\\x\\tool.exe"},
                                                   {"without nul", true, "C:\\x\\tool.exe"},
                                                   {"dword", true, "&h12345678"},
                                                   {"binary", true, "kept"},
                                                   {"long", false, ""},
                                                   {"missing", false, ""}}) {
        std::string text = "kept";
        EXPECT_EQ(about::GetKeyValue(*registry, root, kTestKey, e.name, text), e.read) << e.name;
        EXPECT_EQ(text, e.text) << e.name;
    }
    std::string text;
    EXPECT_THROW(about::GetKeyValue(*registry, root, kTestKey, "empty", text), std::runtime_error);
}

class RecordingDialogs : public platform::Dialogs {
public:
    platform::MsgAnswer msgBox(const std::string& text, platform::MsgButtons buttons, platform::MsgIcon icon,
                               platform::MsgDefault) override
    {
        EXPECT_EQ(buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(icon, platform::MsgIcon::None);
        messages.push_back(text);
        return platform::MsgAnswer::Ok;
    }
    std::string inputBox(const std::string&, const std::string&) override { return {}; }
    std::vector<std::string> messages;
};

// The two values the About box reads, written for the test and removed
// afterwards. On a system that already has them the tests leave them alone.
class SysInfoLocations : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (valueExists(HKEY_LOCAL_MACHINE, kInfoKey, "PATH") ||
            valueExists(HKEY_LOCAL_MACHINE, kLocationKey, "MSINFO"))
            GTEST_SKIP() << "the system has its own system-information entries";
        owned_ = true;
        SetEnvironmentVariableA("DRAVELO_LAUNCH_MARKER", marker.c_str());
    }
    void TearDown() override
    {
        if (!owned_)
            return;
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInfoKey, "PATH");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kLocationKey, "MSINFO");
    }

    void start() { about::StartSysInfo(dialogs, files, launcher, *registry); }

    TempFolder folder;
    const std::string marker = folder.file("started.txt");
    RecordingDialogs dialogs;
    platform::win32::WindowsFileSystem files;
    platform::win32::WindowsLauncher launcher;
    std::unique_ptr<about::Registry> registry = about::platformRegistry();

private:
    bool owned_ = false;
};

TEST_F(SysInfoLocations, FirstLocationStartsTheNamedProgram)
{
    setValue(HKEY_LOCAL_MACHINE, kInfoKey, "PATH", REG_SZ, launchTargetPath() + '\0');
    start();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_NE(awaitMarker(marker), "");
}

TEST_F(SysInfoLocations, SecondLocationStartsTheToolInTheFolder)
{
    ASSERT_TRUE(CopyFileA(launchTargetPath().c_str(), folder.file("MSINFO32.EXE").c_str(), FALSE));
    setValue(HKEY_LOCAL_MACHINE, kLocationKey, "MSINFO", REG_SZ, folder.path());
    start();
    EXPECT_TRUE(dialogs.messages.empty());
    const std::string report = awaitMarker(marker);
    EXPECT_NE(report.find("MSINFO32.EXE"), std::string::npos) << report;
}

TEST_F(SysInfoLocations, FailuresShowTheOneMessage)
{
    start(); // neither location
    setValue(HKEY_LOCAL_MACHINE, kLocationKey, "MSINFO", REG_SZ, folder.path());
    start(); // a folder without the tool
    setValue(HKEY_LOCAL_MACHINE, kInfoKey, "PATH", REG_SZ, folder.file("absent.exe"));
    start(); // a program that is not there
    setValue(HKEY_LOCAL_MACHINE, kInfoKey, "PATH", REG_SZ, "");
    start(); // a value of zero length
    EXPECT_EQ(dialogs.messages, std::vector<std::string>(4, kUnavailable));
    EXPECT_EQ(readFile(marker), "");
}

} // namespace
} // namespace dravelo::testing
