#pragma once

#include "async/Task.h"

#include <atomic>
#include <memory>
#include <optional>

namespace corvel::async {

class Doorbell;

namespace detail {

/// Shared between a suspended sleep, its timer and its cancellation callback;
/// whichever claims it first resumes the sleeper, exactly once.
struct SleepWake {
    std::atomic<bool> claimed{false};
    std::coroutine_handle<> sleeper;
    Executor* executor = nullptr;
    /// Where the sleeper was spawned, when that is not where it sleeps.
    Executor* awayFrom = nullptr;
    TimerHandle timer;
    bool claim() { return !claimed.exchange(true, std::memory_order_acq_rel); }
};

/// Ends the sleep before its time (cancelled, or its doorbell rang), unless
/// something woke it already. Any thread: the resumption is posted.
inline void wakeEarly(const std::shared_ptr<SleepWake>& wake) {
    if (!wake->claim())
        return;
    wake->timer.cancel();
    wake->executor->post([wake] { wake->sleeper.resume(); });
}

/// Owned by the sleep's timer. When the timer goes without waking anyone (its
/// loop stopped first), the sleeper can never run again, so the loop that
/// spawned it may destroy its frame: it no longer counts as away.
struct StrandedSleeper {
    std::shared_ptr<SleepWake> wake;
    explicit StrandedSleeper(std::shared_ptr<SleepWake> sleeping) : wake(std::move(sleeping)) {}
    StrandedSleeper(const StrandedSleeper&) = delete;
    StrandedSleeper& operator=(const StrandedSleeper&) = delete;
    ~StrandedSleeper() {
        if (wake->claim() && wake->awayFrom)
            wake->awayFrom->taskCameBack();
    }
};

class SleepAwaiter {
  public:
    explicit SleepAwaiter(Duration delay, Doorbell* bell = nullptr) : delay_(delay), bell_(bell) {}
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
    Doorbell* bell_;
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
