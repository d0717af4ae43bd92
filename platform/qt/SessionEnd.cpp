#include "platform/qt/SessionEnd.h"

#include "platform/qt/QtRuntime.h"

namespace dravelo::platform::qt {

bool sessionMayEnd(QtRuntime& runtime)
{
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
