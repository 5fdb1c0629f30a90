#pragma once

#include "async/Executor.h"
#include "async/Spawn.h"
#include "async/Task.h"
#include "engine/RevealAllClock.h"

#include <functional>
#include <memory>

namespace corvel {

class MenuBarBackend;

/// Carries out the region-wide half of show-all: shows and hides the hidden
/// region and owns the one timer that ends the show-all window. It decides
/// nothing; the strip effect interpreter tells it what to do. Confined to the
/// main thread: every call, the timer task and its callback run on
/// `mainExecutor`.
class RevealAllCoordinator {
  public:
    using ExpiryCallback = std::function<async::Task<void>()>;

    /// A failed hide is tried again this long after, then `hideRetries - 1`
    /// more times, each wait twice the one before (about half a minute in all).
    static constexpr async::Duration firstHideRetry = std::chrono::seconds(1);
    static constexpr int hideRetries = 5;

    RevealAllCoordinator(std::shared_ptr<MenuBarBackend> backend,
                         std::shared_ptr<RevealAllClock> clock, async::Executor& mainExecutor);
    /// Cancels a pending timer and hide retry; neither calls back afterwards.
    ~RevealAllCoordinator();

    RevealAllCoordinator(const RevealAllCoordinator&) = delete;
    RevealAllCoordinator& operator=(const RevealAllCoordinator&) = delete;

    /// Brings the hidden region into view. A backend failure is dropped: the
    /// show-all window runs its course whether or not the region moved.
    /// Stops a hide being tried again.
    async::Task<void> reveal();
    /// Pushes the hidden region out of sight. A failure is not reported: the
    /// hide is tried again later on the clock, until it succeeds, the retries
    /// run out, or reveal(), hide() or the destructor stops it.
    async::Task<void> hide();

    /// Replaces any pending timer with one that awaits `onExpiry` after
    /// `span`. Returns at once. A timer cancelled before its wait ends never
    /// calls back; one already inside `onExpiry` is not interrupted.
    void scheduleExpiry(async::Duration span, ExpiryCallback onExpiry);
    /// Stops the pending timer, if any. Returns at once.
    void cancelExpiry();

    /// True while a timer is sleeping or inside its callback.
    bool hasPendingExpiry() const;

  private:
    std::shared_ptr<MenuBarBackend> backend_;
    std::shared_ptr<RevealAllClock> clock_;
    async::Executor& mainExecutor_;
    async::SpawnHandle expiryTask_;
    async::SpawnHandle hideRetryTask_;
};

} // namespace corvel
