#pragma once
// The file test and the launcher of the system-information tool on Windows,
// through the ANSI calls, so that a path read from the registry reaches
// the system as the same bytes.

#include "platform/FormsRuntime.h"

namespace dravelo::platform::win32 {

class WindowsFileSystem : public FileSystem {
public:
    // Writes a temporary file beside the target, then moves it into place.
    std::string writeFile(const std::string& path, const std::string& bytes) override;
    // FindFirstFileA, skipping directories.
    std::string firstMatch(const std::string& pattern) const override;
};

class WindowsLauncher : public Launcher {
public:
    // CreateProcessA with the path as the program itself, so nothing in it
    // is read as arguments; shown as a normal window, not waited for.
    bool launch(const std::string& program) override;
};

} // namespace dravelo::platform::win32
