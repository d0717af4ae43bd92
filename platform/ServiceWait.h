#pragma once
// Waiting for a slow system service (the print service, a folder on a
// server) without freezing the program: the call runs on a thread of its
// own, and the program waits for it in the runtime's modal loop, its windows
// painting and held as under a modal box (RuntimeCore::waitForService).

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace dravelo::platform {

enum class ServiceWaitEnd { Done, TimedOut, ProgramEnded };
using ServiceDeadline = std::chrono::steady_clock::time_point;

// Waits until done() is true or the deadline passes, as the runtime gives it
// to whoever calls a service.
using ServiceWait = std::function<ServiceWaitEnd(const std::function<bool()>& done, ServiceDeadline deadline)>;

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

} // namespace dravelo::platform
