#include "async/Turnstile.h"

namespace corvel::async {

// A task let through may find the turnstile taken again by one that came
// while it was being resumed; it then waits once more.
Task<bool> Turnstile::enter() {
    while (held_) {
        const bool resumed = co_await waiters_.wait();
        if (!resumed)
            co_return false;
    }
    held_ = true;
    co_return true;
}

void Turnstile::leave() {
    held_ = false;
    waiters_.resumeOne();
}

} // namespace corvel::async
