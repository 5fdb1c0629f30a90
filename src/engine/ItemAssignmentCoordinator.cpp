#include "engine/ItemAssignmentCoordinator.h"

#include "async/Sleep.h"
#include "backend/BackendError.h"
#include "engine/GroupStore.h"
#include "engine/IdentityResolver.h"
#include "engine/ItemDisplayNameHeuristic.h"
#include "engine/OrdinalHints.h"
#include "engine/SystemItemFilter.h"
#include "engine/UnicodeText.h"

#include <algorithm>
#include <chrono>

namespace corvel {

namespace {

// Applications that start with the session put their items up a little after
// Corvel; about three seconds covers them.
constexpr int maxLaunchWaits = 15;
constexpr auto launchWait = std::chrono::milliseconds(200);

/// Runs a backend operation and answers its failure instead of throwing it.
async::Task<std::optional<BackendError>> failureOf(async::Task<void> operation) {
    std::optional<BackendError> failure;
    try {
        co_await std::move(operation);
    } catch (const BackendError& error) {
        failure = error;
    }
    co_return failure;
}

} // namespace

std::shared_ptr<ItemAssignmentCoordinator>
ItemAssignmentCoordinator::create(std::shared_ptr<MenuBarBackend> backend,
                                  std::shared_ptr<GroupStore> store,
                                  std::shared_ptr<platform::SystemLog> log) {
    return std::shared_ptr<ItemAssignmentCoordinator>(
        new ItemAssignmentCoordinator(std::move(backend), std::move(store), std::move(log)));
}

ItemAssignmentCoordinator::ItemAssignmentCoordinator(std::shared_ptr<MenuBarBackend> backend,
                                                     std::shared_ptr<GroupStore> store,
                                                     std::shared_ptr<platform::SystemLog> log)
    : backend_(std::move(backend)), store_(std::move(store)), log_(std::move(log)) {}

async::Task<std::vector<AssignableItemRow>> ItemAssignmentCoordinator::refreshRows() {
    return refreshing(shared_from_this());
}

async::Task<std::vector<AssignableItemRow>> ItemAssignmentCoordinator::reconcileAtLaunch() {
    return reconciling(shared_from_this());
}

async::Task<AssignmentOutcome> ItemAssignmentCoordinator::assign(ItemID id, GroupID group) {
    return assigning(shared_from_this(), id, group);
}

async::Task<AssignmentOutcome> ItemAssignmentCoordinator::unassign(ItemID id) {
    return unassigning(shared_from_this(), id);
}

async::Task<std::optional<GroupID>> ItemAssignmentCoordinator::groupID(ObservedItem observed) {
    return lookingUpGroup(shared_from_this(), std::move(observed));
}

void ItemAssignmentCoordinator::setIsShowAllActive(std::function<bool()> isShowAllActive) {
    isShowAllActive_ = std::move(isShowAllActive);
}

std::vector<OrdinalHintedItem>
ItemAssignmentCoordinator::withOrdinalHints(const std::vector<ObservedItem>& items) {
    return OrdinalHints::withOrdinalHints(items);
}

async::Task<std::vector<AssignableItemRow>> ItemAssignmentCoordinator::refreshing(Self self) {
    (void)self;
    auto reading = backend_->currentItems();
    const auto items = co_await std::move(reading);
    const auto movable = SystemItemFilter::movable(items);
    const auto hinted = withOrdinalHints(movable);
    rememberHints(hinted);
    assignItemIDs(IdentityResolver::resolve(store_->items(), hinted));
    co_return publishRows(movable);
}

void ItemAssignmentCoordinator::rememberHints(const std::vector<OrdinalHintedItem>& hinted) {
    for (const auto& entry : hinted) {
        ordinalHintsByToken_.insert_or_assign(entry.item.id, entry.ordinalHint);
    }
}

void ItemAssignmentCoordinator::assignItemIDs(const IdentityResolution& resolution) {
    // A token keeps the first id it was given for the whole run, even when a
    // later refresh could match it to a stored Item: the settings may already
    // show, rename or file it under that id.
    for (const auto& [observed, id] : resolution.reattached) {
        itemIDsByToken_.try_emplace(observed.id, id);
    }
    for (const auto* unmatched : {&resolution.unresolved, &resolution.newItems}) {
        for (const auto& observed : *unmatched) {
            if (!itemIDsByToken_.contains(observed.id)) {
                itemIDsByToken_.emplace(observed.id, ItemID::random());
            }
        }
    }
}

std::vector<AssignableItemRow>
ItemAssignmentCoordinator::publishRows(const std::vector<ObservedItem>& movable) {
    std::unordered_map<ItemID, ObservedItem> observed;
    std::vector<AssignableItemRow> rows;
    for (const auto& item : movable) {
        const auto entry = itemIDsByToken_.find(item.id);
        if (entry == itemIDsByToken_.end())
            continue;
        const auto& id = entry->second;
        observed.insert_or_assign(id, item);
        const auto stored = storedItem(id);
        rows.push_back(AssignableItemRow{
            .id = id,
            .displayName = ItemDisplayNameHeuristic::displayName(
                item.identity, stored ? stored->displayName : std::nullopt),
            .bundleID = item.identity.bundleID,
            .groupID = stored ? stored->groupID : std::nullopt,
            .needsAHand = needsAHandItemIDs_.contains(id),
        });
    }
    observedByItemID_ = std::move(observed);
    cachedRows_ = rows;
    return rows;
}

async::Task<std::vector<AssignableItemRow>> ItemAssignmentCoordinator::reconciling(Self self) {
    (void)self;
    auto rows = co_await refreshRows();
    int waits = 0;
    for (; rows.empty() && !store_->items().empty() && waits < maxLaunchWaits; ++waits) {
        co_await async::sleepFor(launchWait);
        // Cancelled, it stops waiting and moves nothing.
        const bool cancelled = co_await async::isCancelled();
        if (cancelled) {
            waits = maxLaunchWaits;
            break;
        }
        rows = co_await refreshRows();
    }
    // Once the waits are used up the launch stops waiting on the menu bar
    // altogether: items that show up at that last reading, like any later
    // ones, are put back at the next change of the Groups.
    if (!store_->items().empty() && waits < maxLaunchWaits) {
        auto rehiding = rehideFiledItems(std::move(rows));
        co_await std::move(rehiding);
    }
    co_return co_await refreshRows();
}

async::Task<void> ItemAssignmentCoordinator::rehideFiledItems(std::vector<AssignableItemRow> rows) {
    for (const auto& row : rows) {
        if (!row.groupID)
            continue;
        const auto observed = observedItem(row.id);
        if (!observed)
            continue;
        auto move = backend_->moveIntoHiddenRegion(*observed);
        const auto failure = co_await failureOf(std::move(move));
        markNeedsAHand(row.id, failure.has_value());
        if (failure)
            reportMoveFailure(row.id, *observed, *failure, true);
    }
}

async::Task<std::optional<BackendError>>
ItemAssignmentCoordinator::moveAgainIfRenumbered(ItemID id, ObservedItem& observed,
                                                 bool intoRegion) {
    auto move = intoRegion ? backend_->moveIntoHiddenRegion(observed)
                           : backend_->moveOutOfHiddenRegion(observed);
    auto failure = co_await failureOf(std::move(move));
    if (!failure || failure->kind() != BackendError::Kind::itemNoLongerExists)
        co_return failure;
    // A restart of Control Center gives every item a new window, and so a
    // new token, while it stands where it stood: read the bar again and move
    // the Item under the token it has now.
    try {
        co_await refreshRows();
    } catch (const BackendError&) {
        co_return failure;
    }
    const auto now = observedItem(id);
    if (!now || now->id == observed.id)
        co_return failure;
    observed = *now;
    auto again = intoRegion ? backend_->moveIntoHiddenRegion(observed)
                            : backend_->moveOutOfHiddenRegion(observed);
    co_return co_await failureOf(std::move(again));
}

async::Task<AssignmentOutcome> ItemAssignmentCoordinator::assigning(Self self, ItemID id,
                                                                    GroupID group) {
    (void)self;
    auto observed = observedItem(id);
    if (!observed)
        co_return AssignmentOutcome::itemNoLongerObserved();

    auto moving = moveAgainIfRenumbered(id, *observed, true);
    const auto moveFailure = co_await std::move(moving);
    if (moveFailure && moveFailure->kind() == BackendError::Kind::hiddenRegionAtCapacity) {
        co_return AssignmentOutcome::refusedAtCapacity();
    }
    persist(id, *observed, group);
    markNeedsAHand(id, moveFailure.has_value());
    if (moveFailure) {
        reportMoveFailure(id, *observed, *moveFailure, true);
        co_return AssignmentOutcome::assignedButNeedsAHand();
    }

    // Show-all keeps the region open; it hides everything itself when it ends.
    if (isShowAllActive_())
        co_return AssignmentOutcome::assigned();
    auto hide = backend_->hideRegion();
    const auto hideFailure = co_await failureOf(std::move(hide));
    if (hideFailure)
        co_return AssignmentOutcome::assignedButNotYetHidden(hideFailure->text());
    co_return AssignmentOutcome::assigned();
}

async::Task<AssignmentOutcome> ItemAssignmentCoordinator::unassigning(Self self, ItemID id) {
    (void)self;
    auto observed = observedItem(id);
    if (!observed)
        co_return AssignmentOutcome::itemNoLongerObserved();

    auto moving = moveAgainIfRenumbered(id, *observed, false);
    const auto moveFailure = co_await std::move(moving);
    persist(id, *observed, std::nullopt);
    markNeedsAHand(id, moveFailure.has_value());
    if (moveFailure) {
        reportMoveFailure(id, *observed, *moveFailure, false);
        co_return AssignmentOutcome::assignedButNeedsAHand();
    }

    // With nothing filed any more the region has nothing to hide; leaving it
    // collapsed would only keep the spacer pushing at an empty stretch.
    if (!anyItemFiled()) {
        auto reveal = backend_->revealRegion();
        co_await failureOf(std::move(reveal));
    }
    co_return AssignmentOutcome::assigned();
}

async::Task<std::optional<GroupID>>
ItemAssignmentCoordinator::lookingUpGroup(Self self, ObservedItem observed) {
    (void)self;
    // No Group holds the system's items, so a reading would never give them
    // an id: asking again at every Strip opening would only read every
    // application again for nothing.
    if (SystemItemFilter::isSystemItem(observed))
        co_return std::nullopt;
    if (!itemIDsByToken_.contains(observed.id)) {
        try {
            co_await refreshRows();
        } catch (const BackendError&) {
            // Without a fresh reading the token simply stays unknown.
        }
    }
    const auto entry = itemIDsByToken_.find(observed.id);
    if (entry == itemIDsByToken_.end())
        co_return std::nullopt;
    const auto stored = storedItem(entry->second);
    co_return stored ? stored->groupID : std::nullopt;
}

std::optional<std::vector<AssignableItemRow>>
ItemAssignmentCoordinator::rename(const ItemID& id, std::string_view name) {
    const auto observed = observedItem(id);
    if (!observed)
        return std::nullopt;

    auto trimmed = UnicodeText::trimmingWhitespaceAndNewlines(name);
    // A new record takes the item's position among its twins now, so that the
    // name stays with this item and not its neighbour at the next launch.
    auto item =
        storedItem(id).value_or(Item{id, observed->identity, hint(observed->id).value_or(0)});
    item.displayName =
        trimmed.empty() ? std::nullopt : std::optional<std::string>(std::move(trimmed));
    store_->upsertItem(item);

    if (!cachedRows_)
        return std::nullopt;
    const auto row = std::find_if(cachedRows_->begin(), cachedRows_->end(),
                                  [&](const AssignableItemRow& r) { return r.id == id; });
    if (row == cachedRows_->end())
        return std::nullopt;
    row->displayName = ItemDisplayNameHeuristic::displayName(observed->identity, item.displayName);
    return cachedRows_;
}

void ItemAssignmentCoordinator::persist(const ItemID& id, const ObservedItem& observed,
                                        std::optional<GroupID> group) {
    auto item = storedItem(id).value_or(Item{id, observed.identity, 0});
    item.groupID = group;
    if (const auto ordinal = hint(observed.id))
        item.ordinal = *ordinal;
    store_->upsertItem(item);
}

// A badge in the settings is all a person sees of a failed move otherwise.
void ItemAssignmentCoordinator::reportMoveFailure(const ItemID& id, const ObservedItem& observed,
                                                  const BackendError& failure,
                                                  bool intoRegion) const {
    if (!log_)
        return;
    const auto stored = storedItem(id);
    const std::string name = ItemDisplayNameHeuristic::displayName(
        observed.identity, stored ? stored->displayName : std::nullopt);
    if (failure.kind() == BackendError::Kind::itemNoLongerExists) {
        log_->write("Corvel: " + name + " left the menu bar while it was being moved");
        return;
    }
    log_->write("Corvel: " + name + " did not move " + (intoRegion ? "into" : "out of") +
                " the hidden region and needs a hand — " + failure.text());
}

void ItemAssignmentCoordinator::markNeedsAHand(const ItemID& id, bool needsAHand) {
    if (needsAHand) {
        needsAHandItemIDs_.insert(id);
    } else {
        needsAHandItemIDs_.erase(id);
    }
}

std::optional<ObservedItem> ItemAssignmentCoordinator::observedItem(const ItemID& id) const {
    const auto entry = observedByItemID_.find(id);
    if (entry == observedByItemID_.end())
        return std::nullopt;
    return entry->second;
}

std::optional<Item> ItemAssignmentCoordinator::storedItem(const ItemID& id) const {
    const auto items = store_->items();
    const auto match =
        std::find_if(items.begin(), items.end(), [&](const Item& item) { return item.id == id; });
    if (match == items.end())
        return std::nullopt;
    return *match;
}

std::optional<std::int64_t> ItemAssignmentCoordinator::hint(const BackendItemToken& token) const {
    const auto entry = ordinalHintsByToken_.find(token);
    if (entry == ordinalHintsByToken_.end())
        return std::nullopt;
    return entry->second;
}

bool ItemAssignmentCoordinator::anyItemFiled() const {
    const auto items = store_->items();
    return std::any_of(items.begin(), items.end(),
                       [](const Item& item) { return item.groupID.has_value(); });
}

} // namespace corvel
