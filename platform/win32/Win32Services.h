#pragma once
// The system's services on Windows: the clock and number formats of the
// user's regional settings, files, programs and the printer.

#include "platform/RuntimeCore.h"
#include "platform/win32/ServiceWait.h"
#include "platform/win32/Win32Printer.h"
#include "platform/win32/WindowsServices.h"

namespace dravelo::platform::win32 {

class Win32Services : public SystemServices {
public:
    // The printer waits for the spooler, a save for its folder, by wait.
    explicit Win32Services(ServiceWait wait) : wait_(wait), files_(std::move(wait)) {}

    std::string dateText() const override;
    std::string timeText() const override;
    NumberFormat numberFormat() const override;
    std::string writeFile(const std::string& path, const std::string& bytes) override;
    std::string firstMatch(const std::string& pattern) const override;
    bool launch(const std::string& program) override;
    std::unique_ptr<PrintJob> startJob(std::string& whyNot) override;

private:
    ServiceWait wait_;
    WindowsFileSystem files_;
    WindowsLauncher launcher_;
};

} // namespace dravelo::platform::win32
