#pragma once

#include "async/ContinuousClock.h"
#include "async/ContinuousTimerDescriptor.h"

#include <optional>

#if !defined(__linux__)
#include <condition_variable>
#include <mutex>
#endif

namespace corvel::async {

/// Lets one thread sleep until another rings it or until a time on the
/// continuous clock comes. The time is absolute on that clock, the one the
/// thread loop's timers use, so time the computer spends asleep counts: a
/// timer that came due while the lid was closed runs as soon as it opens. A
/// ring that comes before the wait is kept for it.
class ContinuousAlarm {
  public:
    ContinuousAlarm();
    ~ContinuousAlarm();
    ContinuousAlarm(const ContinuousAlarm&) = delete;
    ContinuousAlarm& operator=(const ContinuousAlarm&) = delete;

    /// Any thread.
    void ring();
    /// The one waiting thread. Returns true when rung (taking the ring), false
    /// when `deadline` passed first; without a deadline, waits for a ring.
    bool wait(std::optional<ContinuousClock::time_point> deadline);

  private:
#if defined(__linux__)
    ContinuousTimerDescriptor timer_;
    int bell_ = -1;
#else
    std::mutex mutex_;
    std::condition_variable rung_;
    bool ringing_ = false;
#endif
};

} // namespace corvel::async
