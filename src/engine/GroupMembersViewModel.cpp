#include "engine/GroupMembersViewModel.h"

#include "engine/ItemDisplayNameHeuristic.h"

namespace corvel {

std::shared_ptr<GroupMembersViewModel>
GroupMembersViewModel::create(std::shared_ptr<MenuBarBackend> backend, MembershipTest isMember) {
    return std::shared_ptr<GroupMembersViewModel>(
        new GroupMembersViewModel(std::move(backend), std::move(isMember)));
}

GroupMembersViewModel::GroupMembersViewModel(std::shared_ptr<MenuBarBackend> backend,
                                             MembershipTest isMember)
    : backend_(backend), isMember_(std::move(isMember)), glyphs_(std::move(backend)) {}

async::Task<std::vector<StripRow>> GroupMembersViewModel::refreshRows() {
    return refreshing(shared_from_this());
}

async::Task<std::vector<StripRow>>
GroupMembersViewModel::refreshing(std::shared_ptr<GroupMembersViewModel> self) {
    (void)self;
    auto reading = backend_->knownItems();
    auto items = co_await std::move(reading);
    auto filtering = members(std::move(items));
    const auto groupItems = co_await std::move(filtering);

    std::unordered_map<ItemID, ObservedItem> observed;
    std::vector<StripRow> rows;
    for (const auto& item : groupItems) {
        const auto id = rowID(item.id);
        observed.insert_or_assign(id, item);
        auto capturing = glyphs_.glyph(item);
        auto icon = co_await std::move(capturing);
        // The Strip names the live item as the menu bar does; the name the
        // user gave the Item belongs to the settings.
        rows.push_back(StripRow{
            .id = id,
            .displayName = ItemDisplayNameHeuristic::displayName(item.identity),
            .bundleID = item.identity.bundleID,
            .iconPNG = std::move(icon),
        });
    }
    observedByItemID_ = std::move(observed);
    co_return rows;
}

std::optional<ObservedItem> GroupMembersViewModel::observedItem(const ItemID& id) const {
    const auto entry = observedByItemID_.find(id);
    if (entry == observedByItemID_.end())
        return std::nullopt;
    return entry->second;
}

async::Task<std::vector<ObservedItem>>
GroupMembersViewModel::members(std::vector<ObservedItem> items) {
    std::vector<ObservedItem> result;
    for (auto& item : items) {
        auto test = isMember_(item);
        const bool isMember = co_await std::move(test);
        if (isMember)
            result.push_back(std::move(item));
    }
    co_return result;
}

ItemID GroupMembersViewModel::rowID(const BackendItemToken& token) {
    if (const auto known = itemIDsByToken_.find(token); known != itemIDsByToken_.end()) {
        return known->second;
    }
    return itemIDsByToken_.emplace(token, ItemID::random()).first->second;
}

} // namespace corvel
