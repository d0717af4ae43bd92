#include "platform/win32/Win32Services.h"

#include "platform/win32/Win32Regional.h"

namespace dravelo::platform::win32 {

std::string Win32Services::dateText() const
{
    return currentDateText();
}

std::string Win32Services::timeText() const
{
    return currentTimeText();
}

NumberFormat Win32Services::numberFormat() const
{
    return userNumberFormat();
}

std::string Win32Services::writeFile(const std::string& path, const std::string& bytes)
{
    return files_.writeFile(path, bytes);
}

std::string Win32Services::firstMatch(const std::string& pattern) const
{
    return files_.firstMatch(pattern);
}

bool Win32Services::launch(const std::string& program)
{
    return launcher_.launch(program);
}

std::unique_ptr<PrintJob> Win32Services::startJob(std::string& whyNot)
{
    return startDefaultPrinterJob(whyNot, wait_);
}

} // namespace dravelo::platform::win32
