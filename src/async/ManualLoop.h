#pragma once

#include "async/Executor.h"
#include "async/TimerQueue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace corvel::async {

class ManualThread;

/// A single-threaded executor on virtual time for tests. Work runs only inside
/// runUntilIdle() and advance(), on the calling thread; post() and after() may
/// be called from any thread. Virtual time starts at the clock's epoch.
/// ManualThreads attached to it run in lockstep: before each item of its own
/// the loop lets them run until they rest.
class ManualLoop final : public Executor {
  public:
    ManualLoop() = default;
    ~ManualLoop() override;

    void post(std::function<void()> work) override;
    TimerHandle after(Duration delay, std::function<void()> work) override;
    TimePoint now() const override;
    /// The work running now took `held` longer: the clock moves on at once,
    /// and timers that fell due meanwhile run once that work has returned.
    void holdThread(Duration held) override;

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

    /// ManualThread's side; from the loop's thread.
    void attach(ManualThread& thread);
    void detach(ManualThread& thread);

  private:
    bool runOne();
    void settleThreads();
    bool releasePendingWork();

    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
    TimerQueue timers_;
    TimePoint now_{};
    std::vector<ManualThread*> threads_;
};

} // namespace corvel::async
