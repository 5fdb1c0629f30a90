#pragma once

#include "async/Waiter.h"

#include <deque>
#include <mutex>

namespace corvel::async {

/// Tasks that wait for a gate to open, resumed in the order they arrived.
/// Thread-safe; each waiter resumes on its own executor.
class WaiterQueue {
  public:
    /// `co_await wait()` suspends until resumeOne() or resumeAll() reaches this
    /// waiter. Gives true when resumed that way, false when the waiting task
    /// was cancelled (it then leaves the queue at once).
    auto wait() { return Awaiter{*this}; }

    /// Resumes the longest-waiting task; false if none was waiting.
    bool resumeOne();
    /// Resumes every waiting task, in arrival order.
    std::size_t resumeAll();
    std::size_t size() const;

  private:
    class Awaiter {
      public:
        explicit Awaiter(WaiterQueue& queue) : queue_(queue) {}
        bool await_ready() const noexcept { return false; }
        template <class Promise> bool await_suspend(std::coroutine_handle<Promise> caller) {
            if (!parking_.park(caller, caller.promise().context))
                return false;
            queue_.enqueue(parking_.waiter());
            return true;
        }
        bool await_resume() {
            parking_.leave();
            return !parking_.wokenByCancellation();
        }

      private:
        WaiterQueue& queue_;
        detail::Parking parking_;
    };

    void enqueue(std::shared_ptr<detail::Waiter> waiter);

    mutable std::mutex mutex_;
    std::deque<std::shared_ptr<detail::Waiter>> waiters_;
};

} // namespace corvel::async
