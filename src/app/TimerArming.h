#pragma once

#include "async/Executor.h"

#include <chrono>

namespace corvel::app {

/// What the main loop asks of a platform timer that counts relative waits in
/// steps of `resolution` (whole milliseconds for Qt before 6.8, nanoseconds
/// after), for a timer due at `due` when the clock reads `now`.
struct TimerArming {
    /// The time left, rounded up to the resolution so that the timer never
    /// fires early; zero once it is due. A timer due in the meantime fires on
    /// the next pass.
    static std::chrono::nanoseconds waitFor(async::TimePoint due, async::TimePoint now,
                                            std::chrono::nanoseconds resolution);
};

} // namespace corvel::app
