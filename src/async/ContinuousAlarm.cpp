#include "async/ContinuousAlarm.h"

#include <utility>

#if defined(__linux__)
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>
#endif

namespace corvel::async {

#if defined(__linux__)

ContinuousAlarm::ContinuousAlarm() : bell_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (bell_ < 0)
        throw std::system_error(errno, std::generic_category(), "could not make a loop's alarm");
}

ContinuousAlarm::~ContinuousAlarm() {
    ::close(bell_);
}

void ContinuousAlarm::ring() {
    const std::uint64_t one = 1;
    // A full counter (EAGAIN) is still a ring.
    while (::write(bell_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool ContinuousAlarm::wait(std::optional<ContinuousClock::time_point> deadline) {
    timer_.arm(deadline);
    pollfd watched[2] = {{bell_, POLLIN, 0}, {timer_.descriptor(), POLLIN, 0}};
    while (::poll(watched, 2, -1) < 0 && errno == EINTR) {
    }
    timer_.take();
    return ContinuousTimerDescriptor::drain(bell_);
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
