#pragma once
// Waiting for a slow system service (the spooler, a folder on a server)
// without freezing the program: the call runs on a thread of its own, and
// the program waits on its event while its runtime keeps the windows
// painting with their input held. A call may ask the user itself (a file
// name to print to, a driver's PIN): its window is the calling thread's,
// and the time it is up does not count against the limit.

#include "platform/ServiceWait.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>

namespace dravelo::platform::win32 {

using platform::ServiceDeadline;
using platform::ServiceWaitEnd;

// How often a wait looks for the call's own question.
inline constexpr DWORD kQuestionPollMilliseconds = 100;

// Waits until the event is set or the deadline passes, and moves the
// deadline on by the time a window of the asking thread (the call's, or 0)
// was up.
using ServiceWait = std::function<ServiceWaitEnd(HANDLE done, ServiceDeadline& deadline, DWORD askingThread)>;

// The wait of a program without windows.
ServiceWaitEnd waitWithoutWindows(HANDLE done, ServiceDeadline& deadline, DWORD askingThread);

// A visible top-level window of the thread: a question its call asks the
// user. Null when there is none.
HWND questionOf(DWORD thread);

// One call on a thread of its own; the thread keeps what it shares with
// the caller, who may give up on it at the deadline.
template <class Result>
class BackgroundCall {
public:
    template <class Work>
    explicit BackgroundCall(Work work) : state_(std::make_shared<State>())
    {
        auto* start = new Start{state_, std::move(work)};
        if (HANDLE thread = CreateThread(nullptr, 0, run, start, 0, &state_->thread)) {
            CloseHandle(thread);
        } else {
            delete start;
            SetEvent(state_->done);
        }
    }

    HANDLE doneEvent() const { return state_->done; }
    // The thread the call runs on, whose windows are the call's own.
    DWORD thread() const { return state_->thread; }
    // Only once the event is set.
    const Result& result() const { return state_->result; }

private:
    struct State {
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        DWORD thread = 0;
        Result result{};
        ~State() { CloseHandle(done); }
    };
    struct Start {
        std::shared_ptr<State> state;
        std::function<Result()> work;
    };
    static DWORD WINAPI run(void* argument)
    {
        const std::unique_ptr<Start> start(static_cast<Start*>(argument));
        start->state->result = start->work();
        SetEvent(start->state->done);
        return 0;
    }
    std::shared_ptr<State> state_;
};

} // namespace dravelo::platform::win32
