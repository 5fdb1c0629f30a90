#pragma once

#include "async/Task.h"

#include <atomic>
#include <memory>
#include <optional>

namespace corvel::async::detail {

/// A suspended task parked on a channel, queue or completion. Exactly one of
/// its owner and its cancellation wakes it; the wake-up is always posted to the
/// task's executor, so owners may call wake() from any thread.
struct Waiter {
    std::coroutine_handle<> handle;
    Executor* executor = nullptr;
    std::atomic<bool> claimed{false};
    bool wokenByCancellation = false;

    bool wake(bool byCancellation) {
        if (claimed.exchange(true, std::memory_order_acq_rel))
            return false;
        wokenByCancellation = byCancellation;
        executor->post([h = handle] { h.resume(); });
        return true;
    }
};

/// Parks the awaiting task and ties it to its cancellation flag for as long as
/// the awaiter lives. Owners keep the shared Waiter and call wake(false).
class Parking {
  public:
    Parking() = default;
    Parking(Parking&&) = delete;
    ~Parking() { leave(); }

    /// Returns false (do not suspend) when the task is already cancelled.
    bool park(std::coroutine_handle<> handle, const TaskContext& context) {
        waiter_ = std::make_shared<Waiter>();
        waiter_->handle = handle;
        waiter_->executor = context.executor;
        cancellation_ = context.cancellation;
        if (!cancellation_)
            return true;
        subscription_ = cancellation_->subscribe([w = waiter_] { w->wake(true); });
        if (subscription_)
            return true;
        waiter_->claimed = true;
        waiter_->wokenByCancellation = true;
        return false;
    }

    const std::shared_ptr<Waiter>& waiter() const { return waiter_; }
    bool wokenByCancellation() const { return waiter_ && waiter_->wokenByCancellation; }

    /// Stops listening for cancellation and makes sure nobody resumes the
    /// task later (the frame may be about to be destroyed).
    void leave() {
        if (subscription_) {
            cancellation_->unsubscribe(*subscription_);
            subscription_.reset();
        }
        if (waiter_)
            waiter_->claimed.store(true, std::memory_order_release);
    }

  private:
    std::shared_ptr<Waiter> waiter_;
    std::shared_ptr<Cancellation> cancellation_;
    std::optional<Cancellation::SubscriptionID> subscription_;
};

} // namespace corvel::async::detail
