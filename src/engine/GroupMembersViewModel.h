#pragma once

#include "async/Task.h"
#include "backend/MenuBarBackend.h"
#include "backend/ObservedItem.h"
#include "domain/ItemID.h"
#include "engine/ItemGlyphCache.h"
#include "engine/StripRow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace corvel {

/// The contents of one Group's Strip: the Group's items that are in the menu
/// bar now, and the way back from a row to the live item to press.
///
/// Main thread only. refreshRows() suspends at the backend and at every
/// membership test and resumes on the main thread; overlapping refreshes share
/// the maps and the one that finishes last decides the observations. Always
/// owned by a std::shared_ptr: a refresh keeps it alive until the refresh
/// ends, so the Strip window may let go of it meanwhile.
class GroupMembersViewModel : public std::enable_shared_from_this<GroupMembersViewModel> {
  public:
    /// Whether an observed item belongs to this Group. Called one item at a
    /// time. If it is a lambda, let it call a coroutine rather than be one,
    /// since a coroutine lambda's captures die before its frame does.
    using MembershipTest = std::function<async::Task<bool>(ObservedItem)>;

    static std::shared_ptr<GroupMembersViewModel> create(std::shared_ptr<MenuBarBackend> backend,
                                                         MembershipTest isMember);
    GroupMembersViewModel(const GroupMembersViewModel&) = delete;
    GroupMembersViewModel& operator=(const GroupMembersViewModel&) = delete;

    /// The Group's rows in the backend's order, with live pictures where one
    /// was ever captured this run. A failed reading is thrown as BackendError
    /// and leaves the earlier observations in place.
    async::Task<std::vector<StripRow>> refreshRows();

    /// The live item behind a row of the latest refresh, or none.
    std::optional<ObservedItem> observedItem(const ItemID& id) const;

  private:
    GroupMembersViewModel(std::shared_ptr<MenuBarBackend> backend, MembershipTest isMember);
    /// `self` keeps this object alive in the frame across every suspension.
    async::Task<std::vector<StripRow>> refreshing(std::shared_ptr<GroupMembersViewModel> self);

    async::Task<std::vector<ObservedItem>> members(std::vector<ObservedItem> items);
    ItemID rowID(const BackendItemToken& token);

    std::shared_ptr<MenuBarBackend> backend_;
    MembershipTest isMember_;
    std::unordered_map<BackendItemToken, ItemID> itemIDsByToken_;
    std::unordered_map<ItemID, ObservedItem> observedByItemID_;
    ItemGlyphCache glyphs_;
};

} // namespace corvel
