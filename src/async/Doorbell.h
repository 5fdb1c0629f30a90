#pragma once

#include "async/Sleep.h"

#include <memory>
#include <mutex>

namespace corvel::async {

/// Cuts a sleep short: a task that sleeps with `sleepFor(delay, bell)` wakes
/// when the delay has passed or the bell rings, whichever comes first. A
/// ring while nobody sleeps is kept, and the next such sleep does not begin,
/// until the sleeper takes it. One sleeper at a time; ring() from any thread.
class Doorbell {
  public:
    Doorbell() = default;
    Doorbell(const Doorbell&) = delete;
    Doorbell& operator=(const Doorbell&) = delete;

    /// Any thread. The sleeper resumes on its own executor.
    void ring();
    /// Whether the bell rang since it was last asked; asking takes the ring.
    bool takeRing();

  private:
    friend class detail::SleepAwaiter;
    /// False, attaching nothing, when a ring is waiting to be taken.
    bool attach(std::shared_ptr<detail::SleepWake> wake);
    void detach(const std::shared_ptr<detail::SleepWake>& wake);

    std::mutex mutex_;
    bool rung_ = false;
    std::shared_ptr<detail::SleepWake> sleeper_;
};

/// Like sleepFor(delay), and ends at once when `bell` rings (or has rung and
/// the ring was not taken). The bell must outlive the sleep.
inline detail::SleepAwaiter sleepFor(Duration delay, Doorbell& bell) {
    return detail::SleepAwaiter(delay, &bell);
}

} // namespace corvel::async
