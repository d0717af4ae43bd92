#include "platform/qt/SessionEnd.h"

#include "platform/qt/QtRuntime.h"

namespace dravelo::platform::qt {

bool sessionMayEnd(QtRuntime& runtime)
{
    if (!runtime.querySessionEnd())
        return false;
    runtime.sessionEnded(true);
    return true;
}

} // namespace dravelo::platform::qt
