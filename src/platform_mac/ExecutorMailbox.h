#pragma once

#include "async/Executor.h"

#include <functional>
#include <memory>
#include <mutex>

namespace corvel::mac {

/// Hands work from the platform's own queues (a capture's answer, a
/// launched program's end) to an executor, for as long as the binding that
/// asked is there: the platform may answer after Corvel has begun to shut
/// down, when the executor may be gone. The binding closes the mailbox when
/// it goes; later work is dropped. Share it with the platform's blocks by
/// std::shared_ptr. Thread-safe.
class ExecutorMailbox {
  public:
    explicit ExecutorMailbox(async::Executor& executor) : executor_(&executor) {}

    /// Answers whether the work was handed on.
    bool post(std::function<void()> work) {
        std::lock_guard lock(mutex_);
        if (!executor_)
            return false;
        executor_->post(std::move(work));
        return true;
    }
    void close() {
        std::lock_guard lock(mutex_);
        executor_ = nullptr;
    }

  private:
    std::mutex mutex_;
    async::Executor* executor_;
};

} // namespace corvel::mac
