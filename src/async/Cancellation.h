#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

namespace corvel::async {

/// The cancellation flag shared by a spawned task and every task it awaits.
/// Thread-safe. Callbacks run once, on the thread that calls cancel(); they
/// must only hand work to an executor, never resume a coroutine inline.
class Cancellation {
  public:
    using SubscriptionID = std::uint64_t;

    bool isCancelled() const { return cancelled_.load(std::memory_order_acquire); }

    /// Sets the flag and runs the subscribed callbacks. Later calls do nothing.
    void cancel();

    /// Returns nothing, and keeps nothing, when already cancelled: the caller
    /// must then act as if the callback had run.
    std::optional<SubscriptionID> subscribe(std::function<void()> onCancel);
    void unsubscribe(SubscriptionID id);

  private:
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    SubscriptionID nextID_ = 1;
    std::map<SubscriptionID, std::function<void()>> callbacks_;
};

} // namespace corvel::async
