#include "async/ThreadLoop.h"

#include "async/ProgrammingError.h"

namespace corvel::async {

ThreadLoop::ThreadLoop() : thread_([this] { run(); }) {}

ThreadLoop::~ThreadLoop() {
    if (isCurrent())
        programmingError("a ThreadLoop was destroyed on its own thread; destroy it from the "
                         "thread that owns it");
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    alarm_.ring();
    thread_.join();
    discardEverything([this] { return releasePendingWork(); });
}

bool ThreadLoop::releasePendingWork() {
    return releasePending(mutex_, queue_, timers_);
}

void ThreadLoop::post(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
    }
    wake();
}

TimerHandle ThreadLoop::after(Duration delay, std::function<void()> work) {
    TimerHandle handle;
    {
        std::lock_guard lock(mutex_);
        handle = timers_.add(now() + delay, std::move(work));
    }
    wake();
    return handle;
}

// The loop's own thread looks at its queue and timers again before it
// waits, so work it posts to itself (a task's sleep) needs no ring.
void ThreadLoop::wake() {
    if (!isCurrent())
        alarm_.ring();
}

TimePoint ThreadLoop::now() const {
    return ContinuousClock::now();
}

TimerQueue::Lateness ThreadLoop::timerLateness() const {
    std::lock_guard lock(mutex_);
    return timers_.lateness();
}

// Stopping only ends the loop once nothing runnable is left, so that work
// posted before the stop, and what it posts, is never dropped.
void ThreadLoop::run() {
    for (;;) {
        std::function<void()> work;
        std::optional<TimePoint> nextDue;
        {
            std::lock_guard lock(mutex_);
            if (!queue_.empty()) {
                work = std::move(queue_.front());
                queue_.pop_front();
            } else if (auto due = timers_.popDue(now())) {
                work = std::move(*due);
            } else if (stopping_) {
                return;
            } else {
                nextDue = timers_.nextDue();
            }
        }
        if (!work) {
            alarm_.wait(nextDue);
            continue;
        }
        {
            detail::RunningScope scope(*this);
            work();
        }
        // Whatever the work captured goes now, outside the lock: it may post.
        work = nullptr;
    }
}

} // namespace corvel::async
