#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>

namespace corvel::async {

/// A monotonic clock that keeps counting while the computer sleeps, so that a
/// 30-second show-all window set before the lid closed has ended when it opens.
/// Linux: CLOCK_BOOTTIME; macOS: CLOCK_MONOTONIC, which counts sleep there.
struct ContinuousClock {
    using rep = std::int64_t;
    using period = std::nano;
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<ContinuousClock>;
    static constexpr bool is_steady = true;

    static time_point now() noexcept;
    /// The POSIX clock behind now(), for waits that must end on its time.
    static clockid_t posixClock() noexcept;
};

} // namespace corvel::async
