#pragma once

#include "async/ContinuousClock.h"

#include <atomic>
#include <chrono>
#include <coroutine>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_set>

namespace corvel::async {

using Duration = std::chrono::nanoseconds;
using TimePoint = ContinuousClock::time_point;

/// A scheduled callback that can be called off. Copies share one timer.
/// cancel() is thread-safe; a timer cancelled before it is due never runs.
class TimerHandle {
  public:
    TimerHandle() = default;
    explicit TimerHandle(std::shared_ptr<std::atomic<bool>> cancelled)
        : cancelled_(std::move(cancelled)) {}

    void cancel() const {
        if (cancelled_)
            cancelled_->store(true);
    }
    bool isCancelled() const { return cancelled_ && cancelled_->load(); }

  private:
    std::shared_ptr<std::atomic<bool>> cancelled_;
};

/// Where tasks run. post() and after() may be called from any thread; the
/// work itself always runs on the executor's own thread, one item at a time.
/// Every timing in the product goes through now() and after(), so a manual
/// loop can drive minutes of behaviour in virtual time.
class Executor {
  public:
    Executor() = default;
    Executor(const Executor&) = delete;
    Executor& operator=(const Executor&) = delete;
    virtual ~Executor();

    virtual void post(std::function<void()> work) = 0;
    virtual TimerHandle after(Duration delay, std::function<void()> work) = 0;
    virtual TimePoint now() const = 0;

    /// Spawned tasks register their root frame here so that frames still
    /// suspended when the executor goes away are destroyed, not leaked.
    void adoptRoot(std::coroutine_handle<> root);
    void forgetRoot(std::coroutine_handle<> root);

  protected:
    /// Destroys every root frame that has not finished, including roots that
    /// destroying the others spawns. Derived executors call this from their
    /// destructor once no more work can run. Returns whether it destroyed any.
    bool destroyRoots();
    /// What a derived executor's destructor does once no more work can run:
    /// releases its pending work (`releasePendingWork` returns whether there
    /// was any, and must destroy it outside the executor's lock) and destroys
    /// unfinished roots, until neither leaves anything behind. Either may post
    /// or spawn here again as captured objects and frames are destroyed.
    void discardEverything(const std::function<bool()>& releasePendingWork);

  private:
    std::mutex rootsMutex_;
    std::unordered_set<void*> roots_;
};

} // namespace corvel::async
