#pragma once

#include "async/Task.h"
#include "async/WaiterQueue.h"

#include <utility>

namespace corvel::async {

/// Lets one task at a time through a stretch of work that must not overlap
/// with itself; the others wait their turn in the order they came. For tasks
/// of one executor: the flag is not guarded.
class Turnstile {
  public:
    /// Holds the turnstile for as long as it lives.
    class Pass {
      public:
        explicit Pass(Turnstile& turnstile) : turnstile_(&turnstile) {}
        Pass(Pass&& other) noexcept : turnstile_(std::exchange(other.turnstile_, nullptr)) {}
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        Pass& operator=(Pass&&) = delete;
        ~Pass() {
            if (turnstile_)
                turnstile_->leave();
        }

      private:
        Turnstile* turnstile_;
    };

    /// Suspends while another task holds the turnstile, then holds it.
    /// Gives false, holding nothing, when the task was cancelled meanwhile.
    Task<bool> enter();
    /// Lets the longest-waiting task through.
    void leave();

  private:
    bool held_ = false;
    WaiterQueue waiters_;
};

} // namespace corvel::async
