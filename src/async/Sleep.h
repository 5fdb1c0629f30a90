#pragma once

#include "async/Task.h"

#include <atomic>
#include <memory>
#include <optional>

namespace corvel::async {

namespace detail {

/// Shared between a suspended sleep, its timer and its cancellation callback;
/// whichever claims it first resumes the sleeper, exactly once.
struct SleepWake {
    std::atomic<bool> claimed{false};
    std::coroutine_handle<> sleeper;
    Executor* executor = nullptr;
    TimerHandle timer;
    bool claim() { return !claimed.exchange(true, std::memory_order_acq_rel); }
};

class SleepAwaiter {
  public:
    explicit SleepAwaiter(Duration delay) : delay_(delay) {}
    SleepAwaiter(SleepAwaiter&&) = default;
    ~SleepAwaiter() { release(); }

    bool await_ready() const noexcept { return false; }

    template <class Promise> bool await_suspend(std::coroutine_handle<Promise> caller) {
        return suspend(caller, caller.promise().context);
    }
    void await_resume() { release(); }

  private:
    bool suspend(std::coroutine_handle<> caller, const TaskContext& context);
    void release();

    Duration delay_;
    std::shared_ptr<SleepWake> wake_;
    std::shared_ptr<Cancellation> cancellation_;
    std::optional<Cancellation::SubscriptionID> subscription_;
};

} // namespace detail

/// Suspends the running task for `delay` on its executor's clock and resumes
/// it there. A cancelled task's sleep ends at once (or is skipped) without an
/// error; the task sees the cancellation when it asks isCancelled().
inline detail::SleepAwaiter sleepFor(Duration delay) {
    return detail::SleepAwaiter(delay);
}

} // namespace corvel::async
