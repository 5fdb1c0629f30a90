#pragma once

#include "async/Executor.h"
#include "async/Spawn.h"
#include "async/Task.h"
#include "backend/BackendItemToken.h"
#include "backend/ObservedItem.h"

#include <chrono>
#include <functional>
#include <memory>
#include <unordered_set>

namespace corvel {

class ItemAssignmentCoordinator;

/// Keeps filed items in the hidden region while Corvel runs: after every
/// change of the Groups it places the own icons again and puts the filed
/// items back, and it does the same when an application that starts (or
/// starts again) puts a filed item out in view. Passes run one at a time;
/// what comes in meanwhile is taken in by one more pass, since passes side
/// by side undo each other's moves (one's hide meets another's item moving
/// in and reverts).
///
/// Arrivals are gathered until the menu bar has been quiet for
/// `arrivalQuiet` (at most `longestHoldBack` after the first), so that a
/// restart of Control Center, which brings every item back at once, costs
/// one look. While `isBusy` answers true (Show All keeps filed items in view,
/// a press has one out) the look waits. An item whose move failed needs a
/// hand and is not tried again for arriving.
///
/// Main thread only; always owned by a std::shared_ptr. A pass keeps the
/// keeper alive until it ends; the wait for quiet holds it weakly and ends
/// when the keeper goes.
class FiledItemsKeeper : public std::enable_shared_from_this<FiledItemsKeeper> {
  public:
    /// Places the own icons for the current Groups; may throw.
    using PlaceChrome = std::function<async::Task<void>()>;

    static constexpr std::chrono::milliseconds arrivalQuiet{500};
    static constexpr std::chrono::seconds longestHoldBack{2};

    static std::shared_ptr<FiledItemsKeeper>
    create(async::Executor& mainExecutor, std::shared_ptr<ItemAssignmentCoordinator> assignment,
           PlaceChrome placeChrome, std::function<bool()> isBusy);
    ~FiledItemsKeeper();
    FiledItemsKeeper(const FiledItemsKeeper&) = delete;
    FiledItemsKeeper& operator=(const FiledItemsKeeper&) = delete;

    /// The launch's pass; arrivals count only from its end on, since it
    /// looks at every item there is. Resumes on the main thread once it and
    /// the passes it made wait have run. Failures are dropped: filed items
    /// stay where they are until the next pass.
    async::Task<void> putBackAtLaunch();
    /// One more pass, when the filed items may have been left out (a
    /// permission came back). Returns at once.
    void putBack();
    /// The Groups changed in the settings. Returns at once.
    void groupsChanged();
    /// An item came into the menu bar. Returns at once.
    void itemAppeared(const ObservedItem& item);

  private:
    using Self = std::shared_ptr<FiledItemsKeeper>;

    FiledItemsKeeper(async::Executor& mainExecutor,
                     std::shared_ptr<ItemAssignmentCoordinator> assignment, PlaceChrome placeChrome,
                     std::function<bool()> isBusy);

    void startPasses();
    static async::Task<void> launchPasses(Self self);
    static async::Task<void> passes(Self self);
    static async::Task<void> watchArrivals(std::weak_ptr<FiledItemsKeeper> weakSelf);
    bool arrivalsSettled() const;
    /// Reads the bar and starts a pass when what arrived warrants one.
    static async::Task<void> lookAtArrivals(Self self);

    async::Executor& mainExecutor_;
    std::shared_ptr<ItemAssignmentCoordinator> assignment_;
    PlaceChrome placeChrome_;
    std::function<bool()> isBusy_;
    bool passing_ = false;
    bool groupsChangedAgain_ = false;
    bool itemsCameOut_ = false;
    bool launched_ = false;
    std::unordered_set<BackendItemToken> arrived_;
    bool watching_ = false;
    async::TimePoint firstArrival_{};
    async::TimePoint lastArrival_{};
    async::SpawnHandle watchTask_;
};

} // namespace corvel
