#pragma once

#include "async/Task.h"
#include "backend/BackendError.h"
#include "backend/MenuBarBackend.h"
#include "backend/ObservedItem.h"
#include "domain/GroupID.h"
#include "domain/Item.h"
#include "domain/ItemID.h"
#include "engine/AssignableItemRow.h"
#include "engine/AssignmentOutcome.h"
#include "engine/IdentityResolution.h"
#include "engine/OrdinalHintedItem.h"
#include "platform/SystemLog.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace corvel {

class GroupStore;

/// Files menu bar items into Groups and takes them out again: moves the real
/// item through the backend and records the Item in the group store. Keeps,
/// for this run only, which Item each live backend token stands for.
///
/// Main thread only. Every operation suspends at its backend calls and
/// resumes on the main thread; another operation may run in the gap and
/// replace the observations, so each operation reads the observation it acts
/// on before its first suspension. Always owned by a std::shared_ptr: every
/// task it hands out keeps it alive until the task ends, so an owner may let
/// go of it while an assign is under way.
class ItemAssignmentCoordinator : public std::enable_shared_from_this<ItemAssignmentCoordinator> {
  public:
    /// `log`, when given, takes a line for every item a move failed on.
    static std::shared_ptr<ItemAssignmentCoordinator>
    create(std::shared_ptr<MenuBarBackend> backend, std::shared_ptr<GroupStore> store,
           std::shared_ptr<platform::SystemLog> log = nullptr);
    ItemAssignmentCoordinator(const ItemAssignmentCoordinator&) = delete;
    ItemAssignmentCoordinator& operator=(const ItemAssignmentCoordinator&) = delete;

    /// Tells whether show-all is active; until set, it never is. While it is,
    /// assign leaves the hidden region open for show-all to close.
    void setIsShowAllActive(std::function<bool()> isShowAllActive);

    /// The filable items of the menu bar, in the backend's order. A failure of
    /// the backend's reading is thrown as BackendError and changes nothing.
    async::Task<std::vector<AssignableItemRow>> refreshRows();

    /// Moves every filed Item that is in the menu bar back into the hidden
    /// region and answers the rows. Waits up to 15 times 200 ms for items of
    /// late-starting applications while the menu bar shows none; once all 15
    /// waits are made it moves nothing, whatever the last reading shows. Throws
    /// BackendError when a reading fails; a cancelled wait just goes on.
    async::Task<std::vector<AssignableItemRow>> reconcileAtLaunch();

    /// Never throws a move failure; every failure is an outcome.
    async::Task<AssignmentOutcome> assign(ItemID id, GroupID group);
    async::Task<AssignmentOutcome> unassign(ItemID id);

    /// The Group of the Item the observed item stands for; refreshes first
    /// when the token is new to this run (a failed refresh reads as none).
    async::Task<std::optional<GroupID>> groupID(ObservedItem observed);

    /// Gives an observed Item the user's name (blank clears it). Answers the
    /// updated rows, or none when nothing was shown to update.
    std::optional<std::vector<AssignableItemRow>> rename(const ItemID& id, std::string_view name);

    /// The live item behind a row of the latest refresh, or none.
    std::optional<ObservedItem> observedItem(const ItemID& id) const;

    static std::vector<OrdinalHintedItem> withOrdinalHints(const std::vector<ObservedItem>& items);

  private:
    using Self = std::shared_ptr<ItemAssignmentCoordinator>;

    ItemAssignmentCoordinator(std::shared_ptr<MenuBarBackend> backend,
                              std::shared_ptr<GroupStore> store,
                              std::shared_ptr<platform::SystemLog> log);

    // The tasks behind the operations; `self` keeps this object alive in the
    // frame across every suspension.
    async::Task<std::vector<AssignableItemRow>> refreshing(Self self);
    async::Task<std::vector<AssignableItemRow>> reconciling(Self self);
    async::Task<AssignmentOutcome> assigning(Self self, ItemID id, GroupID group);
    /// Moves the observed item into or out of the hidden region; when its
    /// token names nothing any more, reads the bar again and, if the Item is
    /// there under a new token, moves it once more and updates `observed`.
    /// Answers the failure of the last move, none when it worked.
    async::Task<std::optional<BackendError>>
    moveAgainIfRenumbered(ItemID id, ObservedItem& observed, bool intoRegion);
    async::Task<AssignmentOutcome> unassigning(Self self, ItemID id);
    async::Task<std::optional<GroupID>> lookingUpGroup(Self self, ObservedItem observed);

    void rememberHints(const std::vector<OrdinalHintedItem>& hinted);
    void assignItemIDs(const IdentityResolution& resolution);
    std::vector<AssignableItemRow> publishRows(const std::vector<ObservedItem>& movable);
    async::Task<void> rehideFiledItems(std::vector<AssignableItemRow> rows);

    std::optional<Item> storedItem(const ItemID& id) const;
    std::optional<std::int64_t> hint(const BackendItemToken& token) const;
    bool anyItemFiled() const;
    void persist(const ItemID& id, const ObservedItem& observed, std::optional<GroupID> group);
    void markNeedsAHand(const ItemID& id, bool needsAHand);
    /// One line saying which item did not move, and why.
    void reportMoveFailure(const ItemID& id, const ObservedItem& observed,
                           const BackendError& failure, bool intoRegion) const;

    std::shared_ptr<MenuBarBackend> backend_;
    std::shared_ptr<GroupStore> store_;
    std::shared_ptr<platform::SystemLog> log_;
    std::unordered_map<BackendItemToken, ItemID> itemIDsByToken_;
    std::unordered_map<ItemID, ObservedItem> observedByItemID_;
    std::unordered_set<ItemID> needsAHandItemIDs_;
    std::unordered_map<BackendItemToken, std::int64_t> ordinalHintsByToken_;
    std::optional<std::vector<AssignableItemRow>> cachedRows_;
    std::function<bool()> isShowAllActive_ = [] { return false; };
};

} // namespace corvel
