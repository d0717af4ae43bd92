// Program start on Win32: the runtime over the designs, the program's
// handlers, the startup window and the message loop.

#include "platform/Application.h"

#include "platform/win32/Win32Runtime.h"

namespace dravelo::platform {

int runApplication(int, char**, const std::vector<FormDesign>& designs, const ProgramFactory& makeProgram,
                   const std::string& startupForm)
{
    win32::Win32Runtime runtime(designs);
    std::unique_ptr<FormEvents> program = makeProgram(runtime);
    runtime.setEvents(program.get());
    runtime.show(startupForm);
    const int status = runtime.ended() ? 0 : runtime.runMessageLoop();
    runtime.setEvents(nullptr);
    return status;
}

} // namespace dravelo::platform
