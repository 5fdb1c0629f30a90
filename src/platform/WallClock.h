#pragma once

#include <chrono>

namespace corvel::platform {

/// The calendar time, for stamping records that a person reads (when a
/// picture was taken). Never used for timing: delays and timeouts go through
/// the executor's monotonic clock. Thread-safe.
class WallClock {
  public:
    virtual ~WallClock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
};

} // namespace corvel::platform
