#pragma once

#include "async/Executor.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace corvel::async {

/// Timers ordered by due time, then by the order they were set, so that two
/// timers due at the same instant run in scheduling order. Not locked: the
/// owning executor guards it.
class TimerQueue {
  public:
    /// How late the timers that ran were, each from its due time until its
    /// loop took it: what the machine's wake-ups add to every wait.
    struct Lateness {
        Duration total{0};
        std::uint64_t timers = 0;
    };

    TimerHandle add(TimePoint due, std::function<void()> work);
    std::optional<TimePoint> nextDue() const;
    /// Removes and returns the first timer due at or before `now`, skipping
    /// cancelled ones.
    std::optional<std::function<void()>> popDue(TimePoint now);
    /// Timers that are set and not cancelled.
    std::size_t liveCount() const;
    bool empty() const { return timers_.empty(); }
    Lateness lateness() const { return lateness_; }

  private:
    struct Entry {
        std::function<void()> work;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    void dropCancelledFront();

    std::uint64_t nextSequence_ = 0;
    std::map<std::pair<TimePoint, std::uint64_t>, Entry> timers_;
    Lateness lateness_;
};

/// Takes an executor's queued work and timers out under `mutex` and destroys
/// them after unlocking: what the work captured may post to the same executor,
/// or cancel a task sleeping on it, as it goes. Returns whether there was any.
bool releasePending(std::mutex& mutex, std::deque<std::function<void()>>& queue,
                    TimerQueue& timers);

} // namespace corvel::async
