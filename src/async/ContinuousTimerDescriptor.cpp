#include "async/ContinuousTimerDescriptor.h"

#if defined(__linux__)

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sys/timerfd.h>
#include <system_error>
#include <unistd.h>

namespace corvel::async {

ContinuousTimerDescriptor::ContinuousTimerDescriptor()
    : timer_(::timerfd_create(ContinuousClock::posixClock(), TFD_CLOEXEC | TFD_NONBLOCK)) {
    if (timer_ < 0)
        throw std::system_error(errno, std::generic_category(), "could not make a loop's timer");
}

ContinuousTimerDescriptor::~ContinuousTimerDescriptor() {
    ::close(timer_);
}

void ContinuousTimerDescriptor::arm(std::optional<ContinuousClock::time_point> deadline) {
    // A loop re-arms after every firing and every new timer, mostly for the
    // time it is armed for already: each call saved is a system call less.
    if (deadline == armed_)
        return;
    armed_ = deadline;
    itimerspec due{};
    if (deadline) {
        // Zero would disarm the timer; a deadline at or before the epoch has passed.
        const auto ns = std::max<std::int64_t>(deadline->time_since_epoch().count(), 1);
        due.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        due.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    }
    ::timerfd_settime(timer_, TFD_TIMER_ABSTIME, &due, nullptr);
}

void ContinuousTimerDescriptor::take() {
    // An expired timer is disarmed; one taken before its time still runs.
    if (drain(timer_))
        armed_.reset();
}

bool ContinuousTimerDescriptor::drain(int descriptor) {
    std::uint64_t count = 0;
    for (;;) {
        if (::read(descriptor, &count, sizeof count) == static_cast<ssize_t>(sizeof count))
            return true;
        if (errno != EINTR)
            return false;
    }
}

} // namespace corvel::async

#endif
