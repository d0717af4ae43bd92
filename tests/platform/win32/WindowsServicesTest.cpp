#include "platform/win32/WindowsServices.h"

#include "tests/platform/win32/WindowsFixtures.h"

#include <gtest/gtest.h>

namespace dravelo::testing {
namespace {

TEST(WindowsFileSystem, FirstMatchNamesTheFirstOrdinaryFile)
{
    TempFolder folder;
    platform::win32::WindowsFileSystem files;
    CreateDirectoryA(folder.file("a.txt").c_str(), nullptr);
    ASSERT_TRUE(files.writeFile(folder.file("b.txt"), "b").empty());

    EXPECT_EQ(files.firstMatch(folder.file("b.txt")), "b.txt");
    EXPECT_EQ(files.firstMatch(folder.file("B.TXT")), "b.txt") << "names are matched without case";
    EXPECT_EQ(files.firstMatch(folder.file("*.txt")), "b.txt") << "the folder a.txt is passed over";
    EXPECT_EQ(files.firstMatch(folder.file("a.txt")), "");
    EXPECT_EQ(files.firstMatch(folder.file("missing.exe")), "");
    EXPECT_EQ(files.firstMatch(folder.file("missing\\MSINFO32.EXE")), "");
}

TEST(WindowsFileSystem, WriteReplacesOnlyOnSuccess)
{
    TempFolder folder;
    platform::win32::WindowsFileSystem files;
    const std::string report = folder.file("REPORT.TXT");
    ASSERT_EQ(files.writeFile(report, "first\r\n"), "");
    ASSERT_EQ(files.writeFile(report, std::string("second\r\n\xE0\0", 10)), "");
    EXPECT_EQ(readFile(report), std::string("second\r\n\xE0\0", 10));

    CreateDirectoryA(folder.file("taken").c_str(), nullptr);
    EXPECT_NE(files.writeFile(folder.file("taken"), "x"), "") << "a folder is not replaced";
    EXPECT_NE(files.writeFile(folder.file("no-such-folder\\R.TXT"), "x"), "");
    EXPECT_EQ(files.firstMatch(folder.file("~*")), "") << "no temporary file is left behind";
}

TEST(WindowsFileSystem, AFailedSaveLeavesTheEarlierFileWhole)
{
    TempFolder folder;
    platform::win32::WindowsFileSystem files;
    const std::string report = folder.file("REPORT.TXT");
    ASSERT_EQ(files.writeFile(report, "earlier\r\n"), "");

    // The earlier file held open by a program that lets nobody replace it.
    HANDLE reader = CreateFileA(report.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_NE(files.writeFile(report, "later\r\n"), "") << "the failure is told";
    CloseHandle(reader);
    EXPECT_EQ(readFile(report), "earlier\r\n");
    EXPECT_EQ(files.firstMatch(folder.file("~*")), "") << "no temporary file is left behind";
}

TEST(WindowsFileSystem, ANameOutsideTheCodePageIsSavedAsTyped)
{
    TempFolder folder;
    platform::win32::WindowsFileSystem files;
    // "Caffè" and a Greek letter, in UTF-8 as the input box gives them.
    ASSERT_EQ(files.writeFile(folder.file("Caff\xC3\xA8\xCE\xB1.TXT"), "x\r\n"), "");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((std::wstring(folder.path().begin(), folder.path().end()) + L"\\*.TXT").c_str(),
                                   &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(std::wstring(found.cFileName), L"Caff\u00E8\u03B1.TXT");
}

TEST(WindowsLauncher, StartsAProgramInANormalWindowWithoutArguments)
{
    TempFolder folder;
    const std::string marker = folder.file("marker.txt");
    SetEnvironmentVariableA("DRAVELO_LAUNCH_MARKER", marker.c_str());
    platform::win32::WindowsLauncher launcher;

    ASSERT_TRUE(launcher.launch(launchTargetPath()));
    const std::string report = awaitMarker(marker);
    EXPECT_NE(report.find("show=1\n"), std::string::npos) << report;
    EXPECT_NE(report.find("command=\"" + launchTargetPath() + "\"\n"), std::string::npos) << report;
}

TEST(WindowsLauncher, FailsForAMissingOrEmptyProgram)
{
    TempFolder folder;
    platform::win32::WindowsLauncher launcher;
    EXPECT_FALSE(launcher.launch(folder.file("absent.exe")));
    EXPECT_FALSE(launcher.launch(""));
    // A path is the program itself, never a command with arguments.
    EXPECT_FALSE(launcher.launch(launchTargetPath() + " --other"));
}

} // namespace
} // namespace dravelo::testing
