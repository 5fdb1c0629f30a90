#include "async/Executor.h"

#include "async/ProgrammingError.h"

#include <thread>
#include <vector>

namespace corvel::async {

namespace {

/// Travels with a resumption posted to a task's home loop; however the
/// resumption ends (run, or dropped with the queue), the task is home again.
class Homecoming {
  public:
    explicit Homecoming(Executor& home) : home_(home) {}
    Homecoming(const Homecoming&) = delete;
    Homecoming& operator=(const Homecoming&) = delete;
    ~Homecoming() { home_.taskCameBack(); }

  private:
    Executor& home_;
};

thread_local Executor* running = nullptr;

} // namespace

Executor::~Executor() = default;

void Executor::holdThread(Duration held) {
    std::this_thread::sleep_for(held);
}

Executor* runningExecutor() noexcept {
    return running;
}

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

void Executor::taskLeft() noexcept {
    tasksAway_.fetch_add(1, std::memory_order_acq_rel);
}

void Executor::taskCameBack() noexcept {
    tasksAway_.fetch_sub(1, std::memory_order_acq_rel);
}

void Executor::discardEverything(const std::function<bool()>& releasePendingWork) {
    for (;;) {
        const bool released = releasePendingWork();
        // Destroying the frame of a task that runs or waits in another loop's
        // queue would let that loop resume freed memory, or post to this one
        // once it is gone.
        if (tasksAway_.load(std::memory_order_acquire) > 0)
            programmingError("a loop was destroyed while a task it spawned was still on another "
                             "loop; destroy the thread loops first, then run the main loop until "
                             "idle, then destroy it");
        const bool destroyed = destroyRoots();
        if (!released && !destroyed)
            return;
    }
}

namespace detail {

RunningScope::RunningScope(Executor& executor) noexcept : previous_(running) {
    running = &executor;
}

RunningScope::~RunningScope() {
    running = previous_;
}

void postResumption(std::coroutine_handle<> handle, Executor* from, Executor& to, Executor* home) {
    if (home == nullptr || from == &to || (from != home && &to != home)) {
        to.post([handle] { handle.resume(); });
        return;
    }
    if (from == home) {
        home->taskLeft();
        to.post([handle] { handle.resume(); });
        return;
    }
    auto homecoming = std::make_shared<Homecoming>(*home);
    to.post([handle, homecoming] { handle.resume(); });
}

} // namespace detail

} // namespace corvel::async
