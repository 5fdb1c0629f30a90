#pragma once

#include <functional>

namespace corvel {

/// Keeps one observer registered with an Observable. Destroying or cancelling
/// it removes the observer at once: it is not called again, not even later in
/// a notification round that is under way. Outliving the Observable is safe.
/// Move-only; main thread only, like the Observable it came from.
class Subscription {
  public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription();

    /// Removes the observer; later calls do nothing.
    void cancel();
    bool isActive() const { return static_cast<bool>(cancel_); }

  private:
    std::function<void()> cancel_;
};

} // namespace corvel
