#include "async/Cancellation.h"

namespace corvel::async {

void Cancellation::cancel() {
    std::map<SubscriptionID, std::function<void()>> toRun;
    {
        std::lock_guard lock(mutex_);
        if (cancelled_.exchange(true, std::memory_order_acq_rel))
            return;
        toRun.swap(callbacks_);
    }
    for (auto& [id, callback] : toRun)
        callback();
}

std::optional<Cancellation::SubscriptionID>
Cancellation::subscribe(std::function<void()> onCancel) {
    std::lock_guard lock(mutex_);
    if (cancelled_.load(std::memory_order_acquire))
        return std::nullopt;
    SubscriptionID id = nextID_++;
    callbacks_.emplace(id, std::move(onCancel));
    return id;
}

void Cancellation::unsubscribe(SubscriptionID id) {
    std::lock_guard lock(mutex_);
    callbacks_.erase(id);
}

} // namespace corvel::async
