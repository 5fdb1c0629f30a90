#pragma once

#include "async/ContinuousClock.h"

#include <atomic>
#include <chrono>
#include <coroutine>
#include <cstddef>
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
///
/// Shutdown, the one way to stop: cancel the long-lived tasks; destroy every
/// ThreadLoop (from another thread), which finishes the work posted to it and
/// so hands its tasks back to the main loop; run the main loop until idle, so
/// that those tasks (a flush waiting for its write) finish; destroy the main
/// loop last. A loop destroyed while a task it spawned is still running or
/// queued on another loop stops the process with a message.
class Executor {
  public:
    Executor() = default;
    Executor(const Executor&) = delete;
    Executor& operator=(const Executor&) = delete;
    virtual ~Executor();

    virtual void post(std::function<void()> work) = 0;
    virtual TimerHandle after(Duration delay, std::function<void()> work) = 0;
    virtual TimePoint now() const = 0;

    /// Called on the thread that runs this executor's work, from inside that
    /// work: a synchronous call keeps the thread for `held` of this
    /// executor's clock (a call into another process that answers late), so
    /// the work that follows runs that much later. Loops on the real clock
    /// block the thread; loops on virtual time move their clock on instead.
    virtual void holdThread(Duration held);

    /// Spawned tasks register their root frame here so that frames still
    /// suspended when the executor goes away are destroyed, not leaked.
    void adoptRoot(std::coroutine_handle<> root);
    void forgetRoot(std::coroutine_handle<> root);

    /// Runtime bookkeeping, kept by hops: a task spawned here went to run on
    /// another executor, or came back (or can never run again). Any thread.
    void taskLeft() noexcept;
    void taskCameBack() noexcept;

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
    std::atomic<std::ptrdiff_t> tasksAway_{0};
};

/// The executor whose work the calling thread is running, or nullptr on a
/// thread that runs none (a plain std::thread, or outside any work).
Executor* runningExecutor() noexcept;

namespace detail {

/// Marks the calling thread as running `executor`'s work for its lifetime;
/// executors wrap each item of work in one. Nests.
class RunningScope {
  public:
    explicit RunningScope(Executor& executor) noexcept;
    ~RunningScope();
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

  private:
    Executor* previous_;
};

/// Posts the resumption of `handle`, a task spawned on `home` (or nullptr),
/// that moves from executor `from` to executor `to`, and keeps `home`'s count
/// of its tasks that are away. The resumption counts as back home once it has
/// run or been dropped with `to`'s queue.
void postResumption(std::coroutine_handle<> handle, Executor* from, Executor& to, Executor* home);

} // namespace detail

} // namespace corvel::async
