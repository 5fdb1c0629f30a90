// The desktop's lock, and the announcement of its changes to whoever draws it.
#include "sim/SimulatedDesktop.h"

#include <utility>

namespace corvel::sim {

std::unique_lock<std::mutex> SimulatedDesktop::hold() {
    std::unique_lock lock(mutex_);
    announceChangeLocked();
    return lock;
}

std::unique_lock<std::mutex> SimulatedDesktop::hold() const {
    return std::unique_lock(mutex_);
}

// Announced as the lock is taken: the call runs on the executor, which must
// take the lock too, so it sees the change whole.
void SimulatedDesktop::announceChangeLocked() {
    if (!changeListener_ || changeAnnounced_)
        return;
    changeAnnounced_ = true;
    executor_.post([weak = weakSelf()] {
        auto self = weak.lock();
        if (!self)
            return;
        std::function<void()> listener;
        {
            const auto lock = std::as_const(*self).hold();
            self->changeAnnounced_ = false;
            listener = self->changeListener_;
        }
        if (listener)
            listener();
    });
}

void SimulatedDesktop::setChangeListener(std::function<void()> listener) {
    const auto lock = std::as_const(*this).hold();
    changeListener_ = std::move(listener);
}

} // namespace corvel::sim
