// The one modal state: while a message box, the input box or a wait for a
// slow service is open, the program's windows are held. The toolkit holds
// them its own way (ToolkitWindow::setEnabled); the core refuses, whatever
// their source, the presses, keys and close requests that still reach it,
// and gives back a field's text changed from outside.

#include "platform/RuntimeCore.h"

namespace dravelo::platform {

namespace {

// The answer of a box closed without a choice.
MsgAnswer negativeAnswer(MsgButtons buttons)
{
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

} // namespace

RuntimeCore::ModalPeriod::ModalPeriod(RuntimeCore& core) : core_(core)
{
    if (core_.modalDepth_++ == 0)
        core_.holdWindows(true);
}

RuntimeCore::ModalPeriod::~ModalPeriod()
{
    if (--core_.modalDepth_ == 0)
        core_.holdWindows(false);
}

void RuntimeCore::holdWindows(bool held)
{
    for (const std::string& form : loadOrder_)
        window(form)->toolkit->setEnabled(!held);
}

MsgAnswer RuntimeCore::msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton)
{
    if (ended_)
        return negativeAnswer(buttons);
    MsgAnswer answer;
    {
        const ModalPeriod box(*this);
        answer = toolkit_.askUser(text, buttons, icon, defaultButton);
    }
    // The program ended while the box was open: the handler unwinds as if
    // it had been answered No.
    return ended_ ? negativeAnswer(buttons) : answer;
}

std::string RuntimeCore::inputBox(const std::string& prompt, const std::string& title)
{
    if (ended_)
        return {};
    std::string answer;
    {
        const ModalPeriod box(*this);
        answer = toolkit_.askText(prompt, title);
    }
    return ended_ ? std::string() : answer;
}

ServiceWaitEnd RuntimeCore::waitForService(const std::function<bool()>& done, ServiceDeadline deadline)
{
    if (!ended_ && !done() && std::chrono::steady_clock::now() < deadline) {
        const ModalPeriod wait(*this);
        toolkit_.runModalLoop([&] { return ended_ || done(); }, deadline);
    }
    if (done())
        return ServiceWaitEnd::Done;
    return ended_ ? ServiceWaitEnd::ProgramEnded : ServiceWaitEnd::TimedOut;
}

ServiceWait RuntimeCore::serviceWait()
{
    return [this](const std::function<bool()>& done, ServiceDeadline deadline) {
        return waitForService(done, deadline);
    };
}

void RuntimeCore::giveBackText(const ControlId& field)
{
    const std::optional<Found> found = lookUp(field);
    if (!found)
        return;
    givingBackText_ = true;
    found->window->toolkit->setControlText(found->index, found->control->keptText);
    givingBackText_ = false;
}

} // namespace dravelo::platform
