#include "async/ContinuousAlarm.h"

#include <algorithm>
#include <utility>

#if defined(__linux__)
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <system_error>
#include <unistd.h>
#endif

namespace corvel::async {

#if defined(__linux__)

namespace {

/// Empties a non-blocking counter descriptor; true when it had counted.
bool drain(int fd) {
    std::uint64_t count = 0;
    for (;;) {
        if (::read(fd, &count, sizeof count) == static_cast<ssize_t>(sizeof count))
            return true;
        if (errno != EINTR)
            return false;
    }
}

} // namespace

ContinuousAlarm::ContinuousAlarm()
    : bell_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      timer_(::timerfd_create(ContinuousClock::posixClock(), TFD_CLOEXEC | TFD_NONBLOCK)) {
    if (bell_ < 0 || timer_ < 0) {
        const int error = errno;
        for (int fd : {bell_, timer_}) {
            if (fd >= 0)
                ::close(fd);
        }
        throw std::system_error(error, std::generic_category(), "could not make a loop's alarm");
    }
}

ContinuousAlarm::~ContinuousAlarm() {
    if (bell_ >= 0)
        ::close(bell_);
    if (timer_ >= 0)
        ::close(timer_);
}

void ContinuousAlarm::ring() {
    const std::uint64_t one = 1;
    // A full counter (EAGAIN) is still a ring.
    while (::write(bell_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool ContinuousAlarm::wait(std::optional<ContinuousClock::time_point> deadline) {
    itimerspec due{};
    if (deadline) {
        // Zero would disarm the timer; a deadline at or before the epoch has passed.
        const auto ns = std::max<std::int64_t>(deadline->time_since_epoch().count(), 1);
        due.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        due.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    }
    ::timerfd_settime(timer_, TFD_TIMER_ABSTIME, &due, nullptr);
    pollfd watched[2] = {{bell_, POLLIN, 0}, {timer_, POLLIN, 0}};
    while (::poll(watched, 2, -1) < 0 && errno == EINTR) {
    }
    drain(timer_);
    return drain(bell_);
}

#else

// Elsewhere the native binding brings its own loop; this portable stand-in
// waits on the standard library's steady clock.
ContinuousAlarm::ContinuousAlarm() = default;
ContinuousAlarm::~ContinuousAlarm() = default;

void ContinuousAlarm::ring() {
    {
        std::lock_guard lock(mutex_);
        ringing_ = true;
    }
    rung_.notify_one();
}

bool ContinuousAlarm::wait(std::optional<ContinuousClock::time_point> deadline) {
    std::unique_lock lock(mutex_);
    if (deadline)
        rung_.wait_for(lock, *deadline - ContinuousClock::now(), [this] { return ringing_; });
    else
        rung_.wait(lock, [this] { return ringing_; });
    return std::exchange(ringing_, false);
}

#endif

} // namespace corvel::async
