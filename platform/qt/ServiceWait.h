#pragma once
// Waiting for a slow system service without freezing the program: the
// call runs on a thread of its own while the event loop goes on, so the
// windows keep painting and the session manager still gets its answer;
// the windows are held meanwhile by the runtime's modal state, as under a
// modal box, and the pointer shows the wait.

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace dravelo::platform::qt {

// A call running on a thread of its own. Whoever gives up on it sets the
// abandon flag, which the call looks at, and leaves it to end by itself:
// the thread shares its state and is never waited for.
template <class Result>
class BackgroundCall {
public:
    template <class Work>
    explicit BackgroundCall(Work work) : state_(std::make_shared<State>())
    {
        std::thread([state = state_, work = std::move(work)]() mutable {
            Result result = work(state->abandoned);
            state->result = std::move(result);
            state->done.store(true, std::memory_order_release);
        }).detach();
    }
    ~BackgroundCall() { state_->abandoned.store(true); }
    BackgroundCall(const BackgroundCall&) = delete;
    BackgroundCall& operator=(const BackgroundCall&) = delete;

    bool done() const { return state_->done.load(std::memory_order_acquire); }
    // Only once done() is true.
    const Result& result() const { return state_->result; }

private:
    struct State {
        std::atomic<bool> done{false};
        std::atomic<bool> abandoned{false};
        Result result{};
    };
    std::shared_ptr<State> state_;
};

enum class WaitEnd { Done, TimedOut, ProgramEnded };

class ModalState;

// Runs the event loop, in a modal period of the windows' modal state, until
// done() is true, the deadline passes, or programEnded() is true (a session
// end answered Yes meanwhile).
WaitEnd waitKeepingWindowsAlive(ModalState& modal, const std::function<bool()>& done,
                                std::chrono::steady_clock::time_point deadline,
                                const std::function<bool()>& programEnded);

// A wait for a service as the runtime gives it to whoever calls a service:
// done() and the deadline.
using ServiceWait =
    std::function<WaitEnd(const std::function<bool()>& done, std::chrono::steady_clock::time_point deadline)>;

} // namespace dravelo::platform::qt
