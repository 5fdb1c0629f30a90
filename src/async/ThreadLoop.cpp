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
    wake_.notify_all();
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
    wake_.notify_one();
}

TimerHandle ThreadLoop::after(Duration delay, std::function<void()> work) {
    TimerHandle handle;
    {
        std::lock_guard lock(mutex_);
        handle = timers_.add(now() + delay, std::move(work));
    }
    wake_.notify_one();
    return handle;
}

TimePoint ThreadLoop::now() const {
    return ContinuousClock::now();
}

// Stopping only ends the loop once nothing runnable is left, so that work
// posted before the stop, and what it posts, is never dropped.
void ThreadLoop::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        std::function<void()> work;
        if (!queue_.empty()) {
            work = std::move(queue_.front());
            queue_.pop_front();
        } else if (auto due = timers_.popDue(now())) {
            work = std::move(*due);
        } else if (stopping_) {
            return;
        } else if (auto next = timers_.nextDue()) {
            // Waiting is relative, so a wake-up after the computer slept finds
            // the timer overdue and runs it at once.
            wake_.wait_for(lock, *next - now());
            continue;
        } else {
            wake_.wait(lock);
            continue;
        }
        lock.unlock();
        work();
        // Whatever the work captured goes now, outside the lock: it may post.
        work = nullptr;
        lock.lock();
    }
}

} // namespace corvel::async
