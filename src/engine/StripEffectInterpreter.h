#pragma once

#include "async/Executor.h"
#include "async/Task.h"
#include "backend/ObservedItem.h"
#include "engine/RevealAllClock.h"
#include "engine/RevealAllCoordinator.h"
#include "engine/SessionState.h"
#include "engine/StripEffectInterpreterDelegate.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace corvel {

class MenuBarBackend;

/// The single owner of the live SessionState and the only place where its
/// effects touch the world: the backend presses Items, the reveal-all
/// coordinator shows and hides the region and runs the show-all timer, and the
/// delegate (the Strip window) shows and hides the panel. Confined to the main
/// thread; always owned by a std::shared_ptr, so that the show-all timer can
/// hold it weakly.
class StripEffectInterpreter : public std::enable_shared_from_this<StripEffectInterpreter> {
  public:
    /// Finds the live menu bar item of an Item at the moment of a reveal. It
    /// must still answer for the Strip that was closed just before the reveal.
    using Lookup = std::function<std::optional<ObservedItem>(const ItemID&)>;

    /// `mainExecutor` is where the show-all timer runs; callers of handle()
    /// run on it too.
    static std::shared_ptr<StripEffectInterpreter>
    create(std::shared_ptr<MenuBarBackend> backend, Lookup lookup,
           std::weak_ptr<StripEffectInterpreterDelegate> delegate,
           std::shared_ptr<RevealAllClock> revealAllClock, async::Executor& mainExecutor);

    StripEffectInterpreter(const StripEffectInterpreter&) = delete;
    StripEffectInterpreter& operator=(const StripEffectInterpreter&) = delete;

    /// Applies `event` to the state during this call, so events take effect in
    /// the order they are sent; the returned task then carries out the effects
    /// one after another, awaiting each, and yields them. It must be awaited
    /// or spawned, or the effects are lost. A row click finishes only once the
    /// press has come back and the reveal has been reported finished, so
    /// senders run it as a task of their own; events handled in the gaps see
    /// the already updated state. The interpreter stays alive until the task
    /// finishes.
    async::Task<std::vector<SessionState::Effect>> handle(SessionState::Event event);

    const SessionState& state() const { return state_; }
    void setDelegate(std::weak_ptr<StripEffectInterpreterDelegate> delegate);
    const RevealAllCoordinator& revealAllCoordinator() const { return revealAllCoordinator_; }

  private:
    StripEffectInterpreter(std::shared_ptr<MenuBarBackend> backend, Lookup lookup,
                           std::weak_ptr<StripEffectInterpreterDelegate> delegate,
                           std::shared_ptr<RevealAllClock> revealAllClock,
                           async::Executor& mainExecutor);

    static async::Task<std::vector<SessionState::Effect>>
    carryOutAll(std::shared_ptr<StripEffectInterpreter> self,
                std::vector<SessionState::Effect> effects, std::uint64_t windowAtEvent);
    async::Task<void> carryOut(SessionState::Effect effect, std::uint64_t windowAtEvent);
    async::Task<void> reveal(ItemID item);
    void scheduleShowAllExpiry(async::Duration span);
    void cancelShowAllExpiry(std::uint64_t windowAtEvent);
    void requestOpenStrip(const GroupID& group);
    void requestCloseStrip();

    std::shared_ptr<MenuBarBackend> backend_;
    Lookup lookup_;
    std::weak_ptr<StripEffectInterpreterDelegate> delegate_;
    SessionState state_;
    RevealAllCoordinator revealAllCoordinator_;
    /// Counts the show-all timers scheduled, so that ending one window never
    /// cancels the timer of a window that started after it.
    std::uint64_t showAllWindows_ = 0;
};

} // namespace corvel
