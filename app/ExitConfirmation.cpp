#include "app/ExitConfirmation.h"

namespace dravelo::app {

using namespace platform;

void confirmExit(FormsRuntime& runtime, std::int16_t& Cancel)
{
    const MsgAnswer answer = runtime.msgBox(kExitQuestion, MsgButtons::YesNo, MsgIcon::Question, MsgDefault::Second);
    if (answer == MsgAnswer::Yes)
        runtime.endProgram();
    else
        Cancel = kTrue;
}

} // namespace dravelo::app
