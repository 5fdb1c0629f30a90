#pragma once

#include "async/Task.h"

#include <atomic>
#include <exception>
#include <memory>
#include <mutex>

namespace corvel::async {

namespace detail {
struct SpawnState {
    std::shared_ptr<Cancellation> cancellation = std::make_shared<Cancellation>();
    std::atomic<bool> done{false};
    std::mutex mutex;
    std::exception_ptr failure;
};
} // namespace detail

/// The caller's view of a spawned task. Copies refer to the same task.
/// Dropping every handle does not cancel the task; it runs on regardless.
class SpawnHandle {
  public:
    SpawnHandle() = default;
    explicit SpawnHandle(std::shared_ptr<detail::SpawnState> state) : state_(std::move(state)) {}

    /// Thread-safe. Asks the task and every task it awaits to stop; sleeps end
    /// early, the task decides how to wind down.
    void cancel() const;
    bool isCancelled() const;
    /// True once the task has finished (or was destroyed with its executor).
    bool isDone() const;
    /// The exception that escaped the task, if any.
    std::exception_ptr failure() const;
    bool valid() const { return static_cast<bool>(state_); }

  private:
    std::shared_ptr<detail::SpawnState> state_;
};

/// Starts `task` as a detached task on `executor`: it is posted, so it begins
/// once the executor runs its queue, never inside this call.
SpawnHandle spawn(Executor& executor, Task<void> task);

} // namespace corvel::async
