#pragma once

#include "async/Executor.h"
#include "async/Task.h"
#include "backend/ObservedItem.h"
#include "engine/ItemSearchDelegate.h"
#include "engine/RevealAllClock.h"
#include "engine/RevealAllCoordinator.h"
#include "engine/SessionState.h"
#include "engine/StripEffectInterpreterDelegate.h"
#include "platform/SystemLog.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace corvel {

class MenuBarBackend;

/// The single owner of the live SessionState and the only place where its
/// effects touch the world: the backend presses Items, the reveal-all
/// coordinator shows and hides the region and runs the show-all timer, the
/// delegate (the Strip window) shows and hides the panel, and the search
/// delegate the item search. Confined to the main
/// thread; always owned by a std::shared_ptr, so that the show-all timer can
/// hold it weakly.
class StripEffectInterpreter : public std::enable_shared_from_this<StripEffectInterpreter> {
  public:
    /// Finds the live menu bar item of an Item at the moment of a reveal. It
    /// must still answer for the Strip that was closed just before the reveal.
    using Lookup = std::function<std::optional<ObservedItem>(const ItemID&)>;

    /// Asks `first`, then `second` when `first` does not know the Item: the
    /// Strip's rows and the search's have identifiers of their own.
    static Lookup eitherOf(Lookup first, Lookup second);

    /// `mainExecutor` is where the show-all timer runs; callers of handle()
    /// run on it too. `log` takes a line for every failure of an effect that
    /// is not the backend's; it must outlive the interpreter.
    static std::shared_ptr<StripEffectInterpreter>
    create(std::shared_ptr<MenuBarBackend> backend, Lookup lookup,
           std::weak_ptr<StripEffectInterpreterDelegate> delegate,
           std::shared_ptr<RevealAllClock> revealAllClock, async::Executor& mainExecutor,
           platform::SystemLog& log);

    StripEffectInterpreter(const StripEffectInterpreter&) = delete;
    StripEffectInterpreter& operator=(const StripEffectInterpreter&) = delete;

    /// Applies `event` to the state during this call, so events take effect in
    /// the order they are sent; the returned task then carries out the effects
    /// one after another, awaiting each, and yields them. It must be awaited
    /// or spawned, or the effects are lost. A row click finishes only once the
    /// press has come back and the reveal has been reported finished, so
    /// senders run it as a task of their own; events handled in the gaps see
    /// the already updated state. The interpreter stays alive until the task
    /// finishes. A backend failure is dropped; any other failure of an effect
    /// is logged, the remaining effects still run, and then it is rethrown.
    async::Task<std::vector<SessionState::Effect>> handle(SessionState::Event event);

    const SessionState& state() const { return state_; }
    void setDelegate(std::weak_ptr<StripEffectInterpreterDelegate> delegate);
    /// Until set, the search's effects change only the state.
    void setSearchDelegate(std::weak_ptr<ItemSearchDelegate> delegate);
    const RevealAllCoordinator& revealAllCoordinator() const { return revealAllCoordinator_; }

  private:
    StripEffectInterpreter(std::shared_ptr<MenuBarBackend> backend, Lookup lookup,
                           std::weak_ptr<StripEffectInterpreterDelegate> delegate,
                           std::shared_ptr<RevealAllClock> revealAllClock,
                           async::Executor& mainExecutor, platform::SystemLog& log);

    static async::Task<std::vector<SessionState::Effect>>
    carryOutAll(std::shared_ptr<StripEffectInterpreter> self,
                std::vector<SessionState::Effect> effects, std::uint64_t windowAtEvent);
    async::Task<void> carryOut(SessionState::Effect effect, std::uint64_t windowAtEvent);
    async::Task<void> reveal(ItemID item);
    static async::Task<void> expireShowAll(std::weak_ptr<StripEffectInterpreter> weak,
                                           std::uint64_t window);
    bool isCurrentShowAllWindow(std::uint64_t window) const;
    void scheduleShowAllExpiry(async::Duration span, std::uint64_t window);
    void cancelShowAllExpiry(std::uint64_t window);
    void requestOpenStrip(const GroupID& group);
    void requestCloseStrip();
    void requestSearch(bool open);

    std::shared_ptr<MenuBarBackend> backend_;
    Lookup lookup_;
    std::weak_ptr<StripEffectInterpreterDelegate> delegate_;
    std::weak_ptr<ItemSearchDelegate> searchDelegate_;
    platform::SystemLog& log_;
    SessionState state_;
    RevealAllCoordinator revealAllCoordinator_;
    /// Numbers the show-all windows as they start; the current or last one.
    std::uint64_t showAllWindow_ = 0;
    /// The window whose timer the coordinator runs; 0 for none.
    std::uint64_t timerWindow_ = 0;
};

} // namespace corvel
