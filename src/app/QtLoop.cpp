#include "app/QtLoop.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace corvel::app {

QtLoop::QtLoop()
    : context_(std::make_unique<QObject>()),
      alarm_(std::make_unique<MainLoopAlarm>([this] { fireDueTimers(); })) {}

QtLoop::~QtLoop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    // Deleting the context drops the wake-ups still in Qt's queue; they only
    // point back here.
    context_.reset();
    alarm_.reset();
    discardEverything([this] { return releasePendingWork(); });
}

bool QtLoop::releasePendingWork() {
    return async::releasePending(mutex_, queue_, timers_);
}

bool QtLoop::isMainThread() const {
    return QThread::currentThread() == context_->thread();
}

void QtLoop::post(std::function<void()> work) {
    bool mustWake = false;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
        if (!stopping_ && !wakePosted_) {
            wakePosted_ = true;
            mustWake = true;
        }
    }
    if (mustWake)
        wake();
}

void QtLoop::wake() {
    QMetaObject::invokeMethod(
        context_.get(), [this] { drain(); }, Qt::QueuedConnection);
}

void QtLoop::drain() {
    // Only what was queued when this turn began: work that posts more work
    // must not starve painting and input. Work posted from here on wakes a
    // turn of its own, which also runs inside a nested event loop (a modal
    // alert) that one of these items may start.
    std::size_t count = 0;
    {
        std::lock_guard lock(mutex_);
        wakePosted_ = false;
        count = queue_.size();
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::function<void()> work;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty() || stopping_)
                return;
            work = std::move(queue_.front());
            queue_.pop_front();
        }
        work();
    }
}

async::TimerHandle QtLoop::after(async::Duration delay, std::function<void()> work) {
    async::TimerHandle handle;
    bool stopping = false;
    {
        std::lock_guard lock(mutex_);
        handle = timers_.add(now() + delay, std::move(work));
        stopping = stopping_;
    }
    if (stopping)
        return handle;
    if (isMainThread())
        rearm();
    else
        QMetaObject::invokeMethod(
            context_.get(), [this] { rearm(); }, Qt::QueuedConnection);
    return handle;
}

async::TimePoint QtLoop::now() const {
    return async::ContinuousClock::now();
}

async::TimerQueue::Lateness QtLoop::timerLateness() const {
    std::lock_guard lock(mutex_);
    return timers_.lateness();
}

void QtLoop::fireDueTimers() {
    for (;;) {
        std::optional<std::function<void()>> work;
        {
            std::lock_guard lock(mutex_);
            if (stopping_)
                return;
            work = timers_.popDue(now());
        }
        // Armed before the work runs, so that later timers still fire while
        // it runs a nested event loop.
        rearm();
        if (!work)
            break;
        (*work)();
    }
}

void QtLoop::runUntilIdle() {
    while (runOne()) {
    }
}

bool QtLoop::runOne() {
    std::function<void()> work;
    {
        std::lock_guard lock(mutex_);
        if (!queue_.empty()) {
            work = std::move(queue_.front());
            queue_.pop_front();
        } else if (auto due = timers_.popDue(now())) {
            work = std::move(*due);
        } else {
            return false;
        }
    }
    work();
    return true;
}

void QtLoop::rearm() {
    std::optional<async::TimePoint> next;
    {
        std::lock_guard lock(mutex_);
        if (stopping_ || !alarm_)
            return;
        next = timers_.nextDue();
    }
    alarm_->arm(next);
}

} // namespace corvel::app
