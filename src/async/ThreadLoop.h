#pragma once

#include "async/ContinuousAlarm.h"
#include "async/Executor.h"
#include "async/TimerQueue.h"

#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace corvel::async {

/// An executor with a thread of its own, for background work (store writes,
/// the poll loop, supervision). post() and after() are thread-safe; timers use
/// the continuous clock, and so does the wait for them, so a timer that came
/// due while the computer slept runs as soon as it wakes.
///
/// Destruction is how it stops (see Executor for the order of a shutdown): it
/// runs every item posted before, and what those post in turn, so a store
/// write handed over at quit lands and its task is handed back to the loop it
/// came from. Timers not yet due are dropped; a task sleeping on one never
/// resumes and is destroyed with the loop that spawned it. Destroy it from
/// another thread: destroying it on its own thread stops the process with a
/// message, since the loop cannot wait for itself.
class ThreadLoop final : public Executor {
  public:
    ThreadLoop();
    ~ThreadLoop() override;

    void post(std::function<void()> work) override;
    TimerHandle after(Duration delay, std::function<void()> work) override;
    TimePoint now() const override;
    /// Any thread. How late this loop's timers have run so far.
    TimerQueue::Lateness timerLateness() const;

    /// True on the loop's own thread.
    bool isCurrent() const { return std::this_thread::get_id() == thread_.get_id(); }

  private:
    void run();
    void wake();
    bool releasePendingWork();

    mutable std::mutex mutex_;
    ContinuousAlarm alarm_;
    std::deque<std::function<void()>> queue_;
    TimerQueue timers_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace corvel::async
