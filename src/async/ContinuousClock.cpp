#include "async/ContinuousClock.h"

#include <ctime>

namespace corvel::async {

clockid_t ContinuousClock::posixClock() noexcept {
#if defined(__linux__)
    return CLOCK_BOOTTIME;
#else
    return CLOCK_MONOTONIC;
#endif
}

ContinuousClock::time_point ContinuousClock::now() noexcept {
    timespec ts{};
    clock_gettime(posixClock(), &ts);
    return time_point(std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec));
}

} // namespace corvel::async
