// The system's services, inert once the program has ended.

#include "platform/RuntimeCore.h"

namespace dravelo::platform {

namespace {

// Why nothing is written or printed once the program has ended.
constexpr const char* kProgramEnded = "Il programma è terminato.";

} // namespace

std::string RuntimeCore::dateText() const
{
    return services_.dateText();
}

std::string RuntimeCore::timeText() const
{
    return services_.timeText();
}

NumberFormat RuntimeCore::numberFormat() const
{
    return services_.numberFormat();
}

std::string RuntimeCore::writeFile(const std::string& path, const std::string& bytes)
{
    if (ended_)
        return kProgramEnded;
    return services_.writeFile(path, bytes);
}

std::string RuntimeCore::firstMatch(const std::string& pattern) const
{
    if (ended_)
        return {};
    return services_.firstMatch(pattern);
}

bool RuntimeCore::launch(const std::string& program)
{
    return !ended_ && services_.launch(program);
}

std::unique_ptr<PrintJob> RuntimeCore::startJob(std::string& whyNot)
{
    if (ended_) {
        whyNot = kProgramEnded;
        return nullptr;
    }
    return services_.startJob(whyNot);
}

} // namespace dravelo::platform
