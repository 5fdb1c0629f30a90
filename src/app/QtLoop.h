#pragma once

#include "app/MainLoopAlarm.h"
#include "async/Executor.h"
#include "async/TimerQueue.h"

#include <deque>
#include <memory>
#include <mutex>
#include <optional>

class QObject;

namespace corvel::app {

/// The main thread's executor, on Qt's event loop: work posted from any
/// thread runs on the thread that built the loop (the one running
/// QApplication::exec), between Qt's own events, so the interface stays
/// responsive. Timers are precise and never fire early; now() is the
/// runtime's continuous clock, so a timer set before the computer slept is
/// overdue when it wakes.
///
/// Build it on the main thread after the QCoreApplication exists, and destroy
/// it there before the application object. Destruction runs nothing more: it
/// releases queued work and timers and destroys spawned tasks that never
/// finished, so whatever must still happen (the store's last write) is awaited
/// before the loop goes away.
class QtLoop final : public async::Executor {
  public:
    QtLoop();
    ~QtLoop() override;

    void post(std::function<void()> work) override;
    async::TimerHandle after(async::Duration delay, std::function<void()> work) override;
    async::TimePoint now() const override;
    /// Any thread. How late this loop's timers have run so far.
    async::TimerQueue::Lateness timerLateness() const;

    /// Main thread, once Qt's loop has ended: runs posted work and timers
    /// that are due until none is left, so that tasks handed back by the
    /// thread loops at shutdown finish before this loop is destroyed.
    void runUntilIdle();

  private:
    bool runOne();
    void wake();
    void drain();
    void fireDueTimers();
    /// Main thread: points the alarm at the earliest live timer.
    void rearm();
    bool isMainThread() const;
    bool releasePendingWork();

    mutable std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
    async::TimerQueue timers_;
    // A wake-up is in Qt's queue; one is enough for any number of posts.
    bool wakePosted_ = false;
    bool stopping_ = false;
    /// The main thread runs this loop's work whether it came through the
    /// loop's queue or as one of Qt's own events.
    async::detail::RunningScope mainThread_{*this};
    std::unique_ptr<QObject> context_;
    std::unique_ptr<MainLoopAlarm> alarm_;
};

} // namespace corvel::app
