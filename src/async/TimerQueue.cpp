#include "async/TimerQueue.h"

namespace corvel::async {

TimerHandle TimerQueue::add(TimePoint due, std::function<void()> work) {
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    timers_.emplace(std::pair{due, nextSequence_++}, Entry{std::move(work), cancelled});
    return TimerHandle(std::move(cancelled));
}

void TimerQueue::dropCancelledFront() {
    while (!timers_.empty() && timers_.begin()->second.cancelled->load()) {
        timers_.erase(timers_.begin());
    }
}

std::optional<TimePoint> TimerQueue::nextDue() const {
    for (const auto& [key, entry] : timers_) {
        if (!entry.cancelled->load())
            return key.first;
    }
    return std::nullopt;
}

std::size_t TimerQueue::liveCount() const {
    std::size_t count = 0;
    for (const auto& [key, entry] : timers_)
        count += entry.cancelled->load() ? 0 : 1;
    return count;
}

std::optional<std::function<void()>> TimerQueue::popDue(TimePoint now) {
    dropCancelledFront();
    if (timers_.empty() || timers_.begin()->first.first > now)
        return std::nullopt;
    lateness_.total += now - timers_.begin()->first.first;
    ++lateness_.timers;
    auto work = std::move(timers_.begin()->second.work);
    timers_.erase(timers_.begin());
    return work;
}

bool releasePending(std::mutex& mutex, std::deque<std::function<void()>>& queue,
                    TimerQueue& timers) {
    std::deque<std::function<void()>> releasedQueue;
    TimerQueue releasedTimers;
    {
        std::lock_guard lock(mutex);
        std::swap(releasedQueue, queue);
        std::swap(releasedTimers, timers);
    }
    return !releasedQueue.empty() || !releasedTimers.empty();
}

} // namespace corvel::async
