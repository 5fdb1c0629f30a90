#pragma once

#include "async/Executor.h"
#include "async/TimerQueue.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace corvel::async {

/// A single-threaded executor on virtual time for tests. Work runs only inside
/// runUntilIdle() and advance(), on the calling thread; post() and after() may
/// be called from any thread. Virtual time starts at the clock's epoch.
class ManualLoop final : public Executor {
  public:
    ManualLoop() = default;
    ~ManualLoop() override;

    void post(std::function<void()> work) override;
    TimerHandle after(Duration delay, std::function<void()> work) override;
    TimePoint now() const override;

    /// Runs posted work and timers due by now() until nothing is left to run.
    /// Returns how many items ran.
    std::size_t runUntilIdle();
    /// Moves virtual time forward by `delay`, firing timers in due order and
    /// running until idle after each one.
    void advance(Duration delay);
    /// Advances to the next pending timer and runs it; false if none is set.
    bool advanceToNextTimer();
    std::size_t pendingTimerCount() const;
    /// For work that arrives from other threads: runs until `done()` holds,
    /// blocking (in real time, at most `timeout`) while the queue is empty.
    /// Virtual time does not move. Returns whether `done()` held.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

  private:
    bool runOne();
    bool releasePendingWork();

    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
    TimerQueue timers_;
    TimePoint now_{};
};

} // namespace corvel::async
