#include "engine/ItemSearchViewModel.h"

#include "domain/WellKnownGroup.h"
#include "engine/GroupStore.h"
#include "engine/ItemAssignmentCoordinator.h"
#include "engine/ItemDisplayNameHeuristic.h"
#include "engine/ItemSearchMatcher.h"

#include <algorithm>

namespace corvel {

namespace {

const char* const menuBarPlace = "Menu Bar";
const char* const hiddenGroupPlace = "Hidden Group";

// An Item filed into a Group that no longer exists stands wherever it was
// left; the menu bar is the honest answer.
std::string placeOf(const std::optional<GroupID>& group, const std::vector<Group>& groups) {
    if (!group)
        return menuBarPlace;
    if (*group == WellKnownGroup::hidden)
        return hiddenGroupPlace;
    const auto found = std::find_if(groups.begin(), groups.end(),
                                    [&](const Group& candidate) { return candidate.id == *group; });
    return found == groups.end() ? menuBarPlace : found->name;
}

// The bar's order is left to right; an item the platform gives no bounds
// goes last.
bool standsLeftOf(const ObservedItem& a, const ObservedItem& b) {
    if (!a.frame || !b.frame)
        return a.frame.has_value() && !b.frame.has_value();
    return a.frame->x < b.frame->x;
}

} // namespace

std::shared_ptr<ItemSearchViewModel>
ItemSearchViewModel::create(std::shared_ptr<MenuBarBackend> backend,
                            std::shared_ptr<ItemAssignmentCoordinator> assignment,
                            std::shared_ptr<GroupStore> store, ApplicationName applicationName) {
    return std::shared_ptr<ItemSearchViewModel>(new ItemSearchViewModel(
        std::move(backend), std::move(assignment), std::move(store), std::move(applicationName)));
}

ItemSearchViewModel::ItemSearchViewModel(std::shared_ptr<MenuBarBackend> backend,
                                         std::shared_ptr<ItemAssignmentCoordinator> assignment,
                                         std::shared_ptr<GroupStore> store,
                                         ApplicationName applicationName)
    : assignment_(std::move(assignment)), store_(std::move(store)),
      applicationName_(std::move(applicationName)), glyphs_(std::move(backend)) {}

async::Task<std::vector<ItemSearchRow>> ItemSearchViewModel::refreshRows() {
    return refreshing(shared_from_this());
}

async::Task<bool> ItemSearchViewModel::captureMissingPictures() {
    return capturing(shared_from_this());
}

async::Task<std::vector<ItemSearchRow>>
ItemSearchViewModel::refreshing(std::shared_ptr<ItemSearchViewModel> self) {
    (void)self;
    auto reading = assignment_->refreshRows();
    const auto filable = co_await std::move(reading);
    const auto groups = store_->groups();

    std::vector<Entry> entries;
    for (const auto& row : filable) {
        auto live = assignment_->observedItem(row.id);
        if (!live)
            continue;
        auto picture = glyphs_.cached(live->id);
        entries.push_back({ItemSearchRow{
                               .id = row.id,
                               .displayName = row.displayName,
                               .applicationName = applicationNameOf(row.bundleID),
                               .bundleID = row.bundleID,
                               .place = placeOf(row.groupID, groups),
                               .iconPNG = std::move(picture),
                           },
                           std::move(*live)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return standsLeftOf(a.observed, b.observed);
    });
    publish(std::move(entries));
    co_return rows_;
}

async::Task<bool> ItemSearchViewModel::capturing(std::shared_ptr<ItemSearchViewModel> self) {
    (void)self;
    // A refresh may replace the rows while a capture is under way, so the
    // pictures go to whatever rows stand once every capture is back.
    const auto items = observed_;
    for (const auto& item : items) {
        if (item.isInHiddenRegion || glyphs_.cached(item.id))
            continue;
        auto capture = glyphs_.glyph(item);
        co_await std::move(capture);
    }
    bool gained = false;
    for (std::size_t at = 0; at < rows_.size(); ++at) {
        if (rows_[at].iconPNG)
            continue;
        rows_[at].iconPNG = glyphs_.cached(observed_[at].id);
        gained = gained || rows_[at].iconPNG.has_value();
    }
    co_return gained;
}

std::vector<std::size_t> ItemSearchViewModel::search(std::string_view text) const {
    return ItemSearchMatcher::rank(text, index_);
}

std::optional<ObservedItem> ItemSearchViewModel::observedItem(const ItemID& id) const {
    for (std::size_t at = 0; at < rows_.size(); ++at)
        if (rows_[at].id == id)
            return observed_[at];
    return std::nullopt;
}

void ItemSearchViewModel::noteUsed(const ItemID& id) {
    const auto use = ++uses_;
    lastUses_.insert_or_assign(id, use);
    for (std::size_t at = 0; at < rows_.size(); ++at)
        if (rows_[at].id == id)
            index_.candidates[at].lastUse = use;
}

std::string ItemSearchViewModel::applicationNameOf(const std::string& bundleID) const {
    auto name = applicationName_ ? applicationName_(bundleID) : std::nullopt;
    if (name && !name->empty())
        return *name;
    // An application that no longer runs is named as its item would be.
    return ItemDisplayNameHeuristic::displayName(ItemIdentity{bundleID, ""});
}

std::uint64_t ItemSearchViewModel::lastUse(const ItemID& id) const {
    const auto found = lastUses_.find(id);
    return found == lastUses_.end() ? 0 : found->second;
}

void ItemSearchViewModel::publish(std::vector<Entry> entries) {
    std::vector<ItemSearchCandidate> candidates;
    rows_.clear();
    observed_.clear();
    for (auto& entry : entries) {
        candidates.push_back({SearchableText::of(entry.row.displayName),
                              SearchableText::of(entry.row.applicationName),
                              lastUse(entry.row.id)});
        rows_.push_back(std::move(entry.row));
        observed_.push_back(std::move(entry.observed));
    }
    index_ = ItemSearchIndex::of(std::move(candidates));
}

} // namespace corvel
