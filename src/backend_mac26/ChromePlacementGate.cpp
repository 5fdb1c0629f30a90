#include "backend_mac26/ChromePlacementGate.h"

namespace corvel {

async::Task<void> ChromePlacementGate::waitUntilIdle() {
    if (!isInProgress_)
        co_return;
    co_await waiters_.wait();
}

void ChromePlacementGate::end() {
    isInProgress_ = false;
    waiters_.resumeAll();
}

} // namespace corvel
