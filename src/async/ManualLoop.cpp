#include "async/ManualLoop.h"

#include "async/ManualThread.h"

#include <algorithm>

namespace corvel::async {

ManualLoop::~ManualLoop() {
    discardEverything([this] { return releasePendingWork(); });
}

bool ManualLoop::releasePendingWork() {
    return releasePending(mutex_, queue_, timers_);
}

void ManualLoop::post(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
    }
    posted_.notify_all();
}

TimerHandle ManualLoop::after(Duration delay, std::function<void()> work) {
    std::lock_guard lock(mutex_);
    return timers_.add(now_ + delay, std::move(work));
}

TimePoint ManualLoop::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

void ManualLoop::holdThread(Duration held) {
    std::lock_guard lock(mutex_);
    now_ += held;
}

void ManualLoop::attach(ManualThread& thread) {
    std::lock_guard lock(mutex_);
    threads_.push_back(&thread);
}

void ManualLoop::detach(ManualThread& thread) {
    std::lock_guard lock(mutex_);
    std::erase(threads_, &thread);
}

void ManualLoop::settleThreads() {
    std::vector<ManualThread*> threads;
    {
        std::lock_guard lock(mutex_);
        threads = threads_;
    }
    for (ManualThread* thread : threads)
        thread->waitUntilResting();
}

bool ManualLoop::runOne() {
    settleThreads();
    std::function<void()> work;
    {
        std::lock_guard lock(mutex_);
        if (!queue_.empty()) {
            work = std::move(queue_.front());
            queue_.pop_front();
        } else if (auto due = timers_.popDue(now_)) {
            work = std::move(*due);
        } else {
            return false;
        }
    }
    {
        detail::RunningScope scope(*this);
        work();
    }
    return true;
}

std::size_t ManualLoop::runUntilIdle() {
    std::size_t count = 0;
    while (runOne())
        ++count;
    return count;
}

void ManualLoop::advance(Duration delay) {
    runUntilIdle();
    TimePoint target;
    {
        std::lock_guard lock(mutex_);
        target = now_ + delay;
    }
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            auto next = timers_.nextDue();
            if (!next || *next > target)
                break;
            if (*next > now_)
                now_ = *next;
        }
        runUntilIdle();
    }
    {
        // Work that held its thread may have moved the clock past the target.
        std::lock_guard lock(mutex_);
        now_ = std::max(now_, target);
    }
    runUntilIdle();
}

bool ManualLoop::advanceToNextTimer() {
    runUntilIdle();
    {
        std::lock_guard lock(mutex_);
        auto next = timers_.nextDue();
        if (!next)
            return false;
        if (*next > now_)
            now_ = *next;
    }
    runUntilIdle();
    return true;
}

std::size_t ManualLoop::pendingTimerCount() const {
    std::lock_guard lock(mutex_);
    return timers_.liveCount();
}

bool ManualLoop::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        runUntilIdle();
        if (done())
            return true;
        std::unique_lock lock(mutex_);
        if (!posted_.wait_until(lock, deadline, [this] { return !queue_.empty(); })) {
            lock.unlock();
            runUntilIdle();
            return done();
        }
    }
}

} // namespace corvel::async
