#include "async/Doorbell.h"

#include <utility>

namespace corvel::async {

void Doorbell::ring() {
    std::shared_ptr<detail::SleepWake> wake;
    {
        std::lock_guard lock(mutex_);
        rung_ = true;
        wake = std::move(sleeper_);
    }
    if (wake)
        detail::wakeEarly(wake);
}

bool Doorbell::takeRing() {
    std::lock_guard lock(mutex_);
    return std::exchange(rung_, false);
}

bool Doorbell::attach(std::shared_ptr<detail::SleepWake> wake) {
    std::lock_guard lock(mutex_);
    if (rung_)
        return false;
    sleeper_ = std::move(wake);
    return true;
}

void Doorbell::detach(const std::shared_ptr<detail::SleepWake>& wake) {
    std::lock_guard lock(mutex_);
    if (sleeper_ == wake)
        sleeper_.reset();
}

} // namespace corvel::async
