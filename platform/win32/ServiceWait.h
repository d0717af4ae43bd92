#pragma once
// Waiting for a slow system service (the spooler, a folder on a server)
// without freezing the program: the call runs on a thread of its own, and
// the program waits on its event while its runtime keeps the windows
// painting with their input held.

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace dravelo::platform::win32 {

enum class ServiceWaitEnd { Done, TimedOut, ProgramEnded };
using ServiceDeadline = std::chrono::steady_clock::time_point;

// Waits until the event is set or the deadline passes.
using ServiceWait = std::function<ServiceWaitEnd(HANDLE done, ServiceDeadline deadline)>;

// The wait of a program without windows.
ServiceWaitEnd waitWithoutWindows(HANDLE done, ServiceDeadline deadline);

// One call on a thread of its own; the thread keeps what it shares with
// the caller, who may give up on it at the deadline.
template <class Result>
class BackgroundCall {
public:
    template <class Work>
    explicit BackgroundCall(Work work) : state_(std::make_shared<State>())
    {
        std::thread([state = state_, work = std::move(work)]() mutable {
            state->result = work();
            SetEvent(state->done);
        }).detach();
    }

    HANDLE doneEvent() const { return state_->done; }
    // Only once the event is set.
    const Result& result() const { return state_->result; }

private:
    struct State {
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        Result result{};
        ~State() { CloseHandle(done); }
    };
    std::shared_ptr<State> state_;
};

} // namespace dravelo::platform::win32
