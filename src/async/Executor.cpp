#include "async/Executor.h"

#include <vector>

namespace corvel::async {

Executor::~Executor() = default;

void Executor::adoptRoot(std::coroutine_handle<> root) {
    std::lock_guard lock(rootsMutex_);
    roots_.insert(root.address());
}

void Executor::forgetRoot(std::coroutine_handle<> root) {
    std::lock_guard lock(rootsMutex_);
    roots_.erase(root.address());
}

bool Executor::destroyRoots() {
    bool destroyedAny = false;
    for (;;) {
        std::vector<void*> orphans;
        {
            std::lock_guard lock(rootsMutex_);
            if (roots_.empty())
                return destroyedAny;
            orphans.assign(roots_.begin(), roots_.end());
            roots_.clear();
        }
        // Outside the lock: a frame's destructors may spawn on this executor.
        for (void* address : orphans)
            std::coroutine_handle<>::from_address(address).destroy();
        destroyedAny = true;
    }
}

void Executor::discardEverything(const std::function<bool()>& releasePendingWork) {
    for (;;) {
        const bool released = releasePendingWork();
        const bool destroyed = destroyRoots();
        if (!released && !destroyed)
            return;
    }
}

} // namespace corvel::async
