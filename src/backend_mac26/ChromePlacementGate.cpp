#include "backend_mac26/ChromePlacementGate.h"

namespace corvel {

async::Task<bool> ChromePlacementGate::waitUntilIdle() {
    if (!isInProgress_)
        co_return true;
    const bool resumed = co_await waiters_.wait();
    co_return resumed;
}

void ChromePlacementGate::end() {
    isInProgress_ = false;
    waiters_.resumeAll();
}

} // namespace corvel
