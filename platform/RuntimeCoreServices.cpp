// The standard dialogs and the system's services, inert once the program
// has ended.

#include "platform/RuntimeCore.h"

namespace dravelo::platform {

namespace {

// Why nothing is written or printed once the program has ended.
constexpr const char* kProgramEnded = "Il programma è terminato.";

// The answer of a box closed without a choice.
MsgAnswer negativeAnswer(MsgButtons buttons)
{
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

} // namespace

MsgAnswer RuntimeCore::msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton)
{
    if (ended_)
        return negativeAnswer(buttons);
    const MsgAnswer answer = toolkit_.askUser(text, buttons, icon, defaultButton);
    // The program ended while the box was open: the handler unwinds as if
    // it had been answered No.
    return ended_ ? negativeAnswer(buttons) : answer;
}

std::string RuntimeCore::inputBox(const std::string& prompt, const std::string& title)
{
    if (ended_)
        return {};
    std::string answer = toolkit_.askText(prompt, title);
    return ended_ ? std::string() : answer;
}

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
