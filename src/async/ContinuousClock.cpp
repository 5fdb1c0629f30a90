#include "async/ContinuousClock.h"

#include <ctime>

namespace corvel::async {

ContinuousClock::time_point ContinuousClock::now() noexcept {
#if defined(__linux__)
    constexpr clockid_t id = CLOCK_BOOTTIME;
#else
    constexpr clockid_t id = CLOCK_MONOTONIC;
#endif
    timespec ts{};
    clock_gettime(id, &ts);
    return time_point(std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec));
}

} // namespace corvel::async
