#pragma once
// The report file, and the file test and the launcher of the
// system-information tool on Windows. The latter two use the ANSI calls, so
// that a path read from the registry reaches the system as the same bytes.

#include "platform/FormsRuntime.h"
#include "platform/win32/ServiceWait.h"

namespace dravelo::platform::win32 {

class WindowsFileSystem : public FileSystem {
public:
    // How the program waits for a save: the runtime's wait keeps its
    // windows painting with their input held.
    explicit WindowsFileSystem(ServiceWait wait = waitWithoutWindows) : wait_(std::move(wait)) {}

    // The path is UTF-8. Names Windows keeps for itself are refused.
    // Otherwise, on a thread of its own, writes and flushes a temporary file
    // beside the target, then moves it into place in one step; gives up
    // when the folder does not answer within the limit.
    std::string writeFile(const std::string& path, const std::string& bytes) override;
    // FindFirstFileA, skipping directories.
    std::string firstMatch(const std::string& pattern) const override;

private:
    ServiceWait wait_;
};

class WindowsLauncher : public Launcher {
public:
    // CreateProcessA with the path as the program itself, so nothing in it
    // is read as arguments; shown as a normal window, not waited for.
    bool launch(const std::string& program) override;
};

} // namespace dravelo::platform::win32
