// The version block and icon linked into this program, read back as
// Explorer reads them.

#include "tests/platform/win32/WindowsFixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace dravelo::testing {
namespace {

constexpr WORD kItalian = 0x0410;
constexpr WORD kUnicodeCodePage = 1200;

class VersionBlock : public ::testing::Test {
protected:
    void SetUp() override
    {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
        ASSERT_GT(size, 0u) << "no version block";
        data.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
    }

    std::string text(const char* block, const char* name)
    {
        void* value = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\") + block + "\\" + name;
        if (!VerQueryValueA(data.data(), query.c_str(), &value, &length) || length == 0)
            return "<none>";
        return std::string(static_cast<const char*>(value), length - 1);
    }

    std::vector<char> data;
};

TEST_F(VersionBlock, FixedVersionIsOneZeroZeroZero)
{
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionBlock, ItalianStringsNameTheProduct)
{
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    const auto* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], kItalian);
    EXPECT_EQ(translation[1], kUnicodeCodePage);

    EXPECT_EQ(text("041004B0", "ProductName"), "Dravelo");
    EXPECT_EQ(text("041004B0", "FileVersion"), "1.00");
    EXPECT_NE(text("041004B0", "CompanyName"), "<none>");
}

TEST(ProgramIcon, IsLinkedIn)
{
    HMODULE self = GetModuleHandleA(nullptr);
    bool found = false;
    EnumResourceNamesA(
        self, RT_GROUP_ICON,
        [](HMODULE, LPCSTR, LPSTR, LONG_PTR found) -> BOOL {
            *reinterpret_cast<bool*>(found) = true;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&found));
    ASSERT_TRUE(found);
    HICON icon = LoadIconA(self, "IDI_ICON1");
    EXPECT_NE(icon, nullptr);
}

} // namespace
} // namespace dravelo::testing
