#include "platform/qt/SessionEnd.h"

#include "platform/qt/QtRuntime.h"

namespace dravelo::platform::qt {

bool sessionMayEnd(QtRuntime& runtime)
{
    // A close question already open is the program's only question: the
    // session is refused without a second one, and that question's answer
    // decides whether the program ends.
    if (runtime.closeQueryRunning())
        return false;
    for (const std::string& form : runtime.loadedForms()) {
        if (!runtime.queryClose(form, UnloadMode::AppWindows))
            return false;
        if (runtime.ended())
            return true;
    }
    runtime.endProgram();
    return true;
}

} // namespace dravelo::platform::qt
