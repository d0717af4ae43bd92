#include "platform/ServiceWait.h"

namespace dravelo::platform {

namespace {
// How often a wait looks at its call.
constexpr std::chrono::milliseconds kPoll{20};
} // namespace

ServiceWaitEnd waitWithoutWindows(const std::function<bool()>& done, ServiceDeadline deadline)
{
    while (!done()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return ServiceWaitEnd::TimedOut;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kPoll, deadline - now));
    }
    return ServiceWaitEnd::Done;
}

} // namespace dravelo::platform
