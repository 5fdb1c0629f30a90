#pragma once

#include "async/Executor.h"
#include "async/TimerQueue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace corvel::async {

/// An executor with a thread of its own, for background work (store writes,
/// the poll loop, supervision). post() and after() are thread-safe; timers use
/// the continuous clock. Destruction stops the thread after the item it is running,
/// drops whatever is still queued and destroys spawned tasks that never
/// finished.
class ThreadLoop final : public Executor {
  public:
    ThreadLoop();
    ~ThreadLoop() override;

    void post(std::function<void()> work) override;
    TimerHandle after(Duration delay, std::function<void()> work) override;
    TimePoint now() const override;

    /// True on the loop's own thread.
    bool isCurrent() const { return std::this_thread::get_id() == thread_.get_id(); }

  private:
    void run();
    bool releasePendingWork();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    TimerQueue timers_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace corvel::async
