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

void Executor::destroyRoots() {
    std::vector<void*> orphans;
    {
        std::lock_guard lock(rootsMutex_);
        orphans.assign(roots_.begin(), roots_.end());
        roots_.clear();
    }
    for (void* address : orphans) {
        std::coroutine_handle<>::from_address(address).destroy();
    }
}

} // namespace corvel::async
