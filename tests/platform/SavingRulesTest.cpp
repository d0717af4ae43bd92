// The rules of saving both runtimes share, and the names Windows keeps for
// itself, checked here without Windows.

#include "platform/FileSaving.h"
#include "platform/WindowsFileNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using dravelo::platform::temporaryFileName;
using dravelo::platform::windowsNameRefusal;

// Device names in any case, with blanks and points before any extension, in
// any folder: refused, naming the name as typed.
TEST(WindowsFileNames, DeviceNamesAreRefusedNamingTheName)
{
    const std::pair<std::string, std::string> cases[] = {
        {"NUL.TXT", "\"NUL\""},
        {"con.TXT", "\"con\""},
        {"Prn.TXT", "\"Prn\""},
        {"aux.txt.TXT", "\"aux\""},
        {"COM0.TXT", "\"COM0\""},
        {"com9.TXT", "\"com9\""},
        {"LPT1.TXT", "\"LPT1\""},
        {"COM\xC2\xB9.TXT", "\"COM\xC2\xB9\""},
        {"lpt\xC2\xB3.TXT", "\"lpt\xC2\xB3\""},
        {"CONIN$.TXT", "\"CONIN$\""},
        {"conout$.TXT", "\"conout$\""},
        {"NUL .TXT", "\"NUL\""},
        {"NUL. .TXT", "\"NUL\""},
        {"nul...TXT", "\"nul\""},
        {"cartella\\NUL.TXT", "\"NUL\""},
        {"C:con.TXT", "\"con\""},
        {"C:\\AUX\\rapp.TXT", "\"AUX\""},
        {"sotto/lpt2.TXT", "\"lpt2\""},
    };
    for (const auto& [path, named] : cases) {
        const std::string refusal = windowsNameRefusal(path);
        EXPECT_NE(refusal.find(named), std::string::npos) << path << ": " << refusal;
        EXPECT_NE(refusal.find("dispositivo"), std::string::npos) << path << ": " << refusal;
    }
}

TEST(WindowsFileNames, ForbiddenCharactersAreRefusedAndAColonNeverMakesAStream)
{
    const std::pair<std::string, std::string> cases[] = {
        {"rapp:x.TXT", "\":\""},
        {"C:\\a:b.TXT", "\":\""},
        {"a<b.TXT", "\"<\""},
        {"a>b.TXT", "\">\""},
        {"a\"b.TXT", "\"\"\""},
        {"a|b.TXT", "\"|\""},
        {"a?b.TXT", "\"?\""},
        {"a*.TXT", "\"*\""},
        {"a\tb.TXT", "controllo"},
        {"a\x1F.TXT", "controllo"},
        {"\\\\?\\C:\\r.TXT", "\"?\""},
        {"\\\\.\\COM1.TXT", "dispositivi"},
        {"//./pipe/r.TXT", "dispositivi"},
    };
    for (const auto& [path, said] : cases) {
        const std::string refusal = windowsNameRefusal(path);
        EXPECT_NE(refusal.find(said), std::string::npos) << path << ": " << refusal;
    }
}

TEST(WindowsFileNames, OrdinaryNamesAndFoldersPass)
{
    const std::string cases[] = {
        "rapp5.TXT",
        ".TXT",
        "NULL.TXT",
        "CONSOLE.TXT",
        "COM10.TXT",
        "LPT.TXT",
        "xnul.TXT",
        "rapp.txt.TXT",
        "pi\xC3\xB9 gas.TXT",
        "C:r.TXT",
        "..\\r.TXT",
        "C:\\Rapporti\\r.TXT",
        "cartella/r.TXT",
        "\\\\server\\share\\r.TXT",
        std::string(240, 'r') + ".TXT",
    };
    for (const std::string& path : cases)
        EXPECT_EQ(windowsNameRefusal(path), "") << path;
}

// As long as the final name up to eight characters, so it fits wherever
// that fits; different numbers give different names.
TEST(TemporaryFileName, FitsWhereTheFinalNameFits)
{
    for (const std::size_t finalLength : {std::size_t{4}, std::size_t{5}, std::size_t{8}, std::size_t{254}}) {
        std::set<std::string> names;
        for (std::uint64_t number = 0; number < 1000; ++number) {
            const std::string name = temporaryFileName(finalLength, number * 7919);
            EXPECT_EQ(name.size(), std::min<std::size_t>(finalLength, 8)) << name;
            EXPECT_EQ(name[0], '~') << name;
            EXPECT_EQ(name.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz", 1), std::string::npos) << name;
            names.insert(name);
        }
        EXPECT_EQ(names.size(), 1000u) << finalLength;
    }
}

} // namespace
