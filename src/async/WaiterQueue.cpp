#include "async/WaiterQueue.h"

namespace corvel::async {

void WaiterQueue::enqueue(std::shared_ptr<detail::Waiter> waiter) {
    std::lock_guard lock(mutex_);
    waiters_.push_back(std::move(waiter));
}

bool WaiterQueue::resumeOne() {
    for (;;) {
        std::shared_ptr<detail::Waiter> next;
        {
            std::lock_guard lock(mutex_);
            if (waiters_.empty())
                return false;
            next = std::move(waiters_.front());
            waiters_.pop_front();
        }
        // A cancelled waiter has already been woken; skip it.
        if (next->wake(false))
            return true;
    }
}

std::size_t WaiterQueue::resumeAll() {
    std::deque<std::shared_ptr<detail::Waiter>> all;
    {
        std::lock_guard lock(mutex_);
        all.swap(waiters_);
    }
    std::size_t count = 0;
    for (auto& waiter : all)
        count += waiter->wake(false) ? 1 : 0;
    return count;
}

std::size_t WaiterQueue::size() const {
    std::lock_guard lock(mutex_);
    std::size_t count = 0;
    for (const auto& waiter : waiters_)
        count += waiter->claimed.load() ? 0 : 1;
    return count;
}

} // namespace corvel::async
