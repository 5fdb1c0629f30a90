#pragma once

#include "async/Task.h"
#include "async/WaiterQueue.h"

namespace corvel {

/// Orders the region operations and the moves after a running placement of
/// the own icons. Main thread only.
class ChromePlacementGate {
  public:
    bool isInProgress() const { return isInProgress_; }

    /// Called by the placement when it starts.
    void begin() { isInProgress_ = true; }

    /// Returns at once while no placement runs; otherwise suspends until
    /// end() and resumes on the caller's executor. A resumed waiter does not
    /// look at the flag again, so a placement that starts meanwhile does not
    /// hold it back. A cancelled waiter leaves the queue and returns at once:
    /// gives false then, so that no caller waits again in a loop.
    async::Task<bool> waitUntilIdle();

    /// Clears the flag and resumes every waiter in the order it arrived.
    void end();

    std::size_t waiterCount() const { return waiters_.size(); }

  private:
    bool isInProgress_ = false;
    async::WaiterQueue waiters_;
};

} // namespace corvel
