#pragma once

#include "async/Executor.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace corvel::async {

/// Timers ordered by due time, then by the order they were set, so that two
/// timers due at the same instant run in scheduling order. Not locked: the
/// owning executor guards it.
class TimerQueue {
  public:
    TimerHandle add(TimePoint due, std::function<void()> work);
    std::optional<TimePoint> nextDue() const;
    /// Removes and returns the first timer due at or before `now`, skipping
    /// cancelled ones.
    std::optional<std::function<void()>> popDue(TimePoint now);
    /// Timers that are set and not cancelled.
    std::size_t liveCount() const;
    bool empty() const { return timers_.empty(); }

  private:
    struct Entry {
        std::function<void()> work;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    void dropCancelledFront();

    std::uint64_t nextSequence_ = 0;
    std::map<std::pair<TimePoint, std::uint64_t>, Entry> timers_;
};

} // namespace corvel::async
