#include "engine/GroupMembersViewModel.h"

#include "backend/CaptureResult.h"
#include "engine/ItemDisplayNameHeuristic.h"

namespace corvel {

std::shared_ptr<GroupMembersViewModel>
GroupMembersViewModel::create(std::shared_ptr<MenuBarBackend> backend, MembershipTest isMember) {
    return std::shared_ptr<GroupMembersViewModel>(
        new GroupMembersViewModel(std::move(backend), std::move(isMember)));
}

GroupMembersViewModel::GroupMembersViewModel(std::shared_ptr<MenuBarBackend> backend,
                                             MembershipTest isMember)
    : backend_(std::move(backend)), isMember_(std::move(isMember)) {}

async::Task<std::vector<StripRow>> GroupMembersViewModel::refreshRows() {
    return refreshing(shared_from_this());
}

async::Task<std::vector<StripRow>>
GroupMembersViewModel::refreshing(std::shared_ptr<GroupMembersViewModel> self) {
    (void)self;
    auto reading = backend_->currentItems();
    auto items = co_await std::move(reading);
    auto filtering = members(std::move(items));
    const auto groupItems = co_await std::move(filtering);

    std::unordered_map<ItemID, ObservedItem> observed;
    std::vector<StripRow> rows;
    for (const auto& item : groupItems) {
        const auto id = rowID(item.id);
        observed.insert_or_assign(id, item);
        auto capturing = glyph(item);
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

async::Task<std::optional<GroupMembersViewModel::PNG>>
GroupMembersViewModel::glyph(ObservedItem item) {
    if (const auto cached = glyphCache_.find(item.id); cached != glyphCache_.end()) {
        co_return cached->second;
    }
    // Hidden items are off screen: a capture could only fail, and would cost
    // a round trip to the window server for every row.
    if (item.isInHiddenRegion)
        co_return std::nullopt;
    auto capture = backend_->captureSnapshot(item);
    const auto result = co_await std::move(capture);
    if (!result.snapshot())
        co_return std::nullopt;
    // An unavailable result is not cached, so the next refresh tries again.
    glyphCache_.insert_or_assign(item.id, result.snapshot()->pngData);
    co_return result.snapshot()->pngData;
}

} // namespace corvel
