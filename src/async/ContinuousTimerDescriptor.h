#pragma once

#if defined(__linux__)

#include "async/ContinuousClock.h"

#include <optional>

namespace corvel::async {

/// A Linux timer descriptor on the continuous clock: it turns readable when
/// the clock reaches the time it is armed for, to the nanosecond, so a loop
/// that polls it (a thread loop's alarm, the main loop's notifier) wakes
/// neither early nor at the next whole millisecond. Time the computer spends
/// asleep counts. Non-blocking; any one thread at a time.
class ContinuousTimerDescriptor {
  public:
    /// Throws std::system_error when the system has no descriptor to give.
    ContinuousTimerDescriptor();
    ~ContinuousTimerDescriptor();
    ContinuousTimerDescriptor(const ContinuousTimerDescriptor&) = delete;
    ContinuousTimerDescriptor& operator=(const ContinuousTimerDescriptor&) = delete;

    int descriptor() const { return timer_; }
    /// Readable at `deadline` (at once when it has passed); none disarms.
    /// Arming again for another time replaces the earlier one and forgets an
    /// expiry not taken; for the time armed already, it changes nothing.
    void arm(std::optional<ContinuousClock::time_point> deadline);
    /// Takes the expiry, so that the descriptor stops reading as ready.
    void take();

    /// Empties a non-blocking counting descriptor (a timer's or an event's);
    /// true when it had counted.
    static bool drain(int descriptor);

  private:
    int timer_ = -1;
    /// What the descriptor is armed for: none once disarmed or expired.
    std::optional<ContinuousClock::time_point> armed_;
};

} // namespace corvel::async

#endif
