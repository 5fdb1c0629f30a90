#include "settings/SettingsViewModel.h"

#include "backend/BackendError.h"
#include "domain/WellKnownGroup.h"
#include "engine/GroupShortcuts.h"
#include "engine/GroupStore.h"
#include "engine/ItemAssignmentCoordinator.h"
#include "engine/UnicodeText.h"
#include "settings/AssignmentErrorMessage.h"
#include "settings/GroupOrder.h"
#include "settings/HotKeyRefusalMessage.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace corvel {

std::shared_ptr<SettingsViewModel>
SettingsViewModel::create(std::shared_ptr<GroupStore> store,
                          std::shared_ptr<ItemAssignmentCoordinator> itemAssignment,
                          std::shared_ptr<ScreenRecordingPermissionChecking> screenRecording) {
    if (!store || !itemAssignment || !screenRecording)
        throw std::invalid_argument(
            "SettingsViewModel needs a store, an assignment coordinator and a permission check");
    return std::shared_ptr<SettingsViewModel>(new SettingsViewModel(
        std::move(store), std::move(itemAssignment), std::move(screenRecording)));
}

SettingsViewModel::SettingsViewModel(
    std::shared_ptr<GroupStore> store, std::shared_ptr<ItemAssignmentCoordinator> itemAssignment,
    std::shared_ptr<ScreenRecordingPermissionChecking> screenRecording)
    : store_(std::move(store)), itemAssignment_(std::move(itemAssignment)),
      screenRecording_(std::move(screenRecording)), groups_(GroupOrder::sorted(store_->groups())),
      isScreenRecordingGranted_(screenRecording_->isGranted()) {}

void SettingsViewModel::setOnGroupsChanged(std::function<void()> onGroupsChanged) {
    onGroupsChanged_ = std::move(onGroupsChanged);
}

std::vector<AssignableItemRow> SettingsViewModel::unresolvedRows() const {
    std::vector<AssignableItemRow> unresolved;
    std::copy_if(rows_.value().begin(), rows_.value().end(), std::back_inserter(unresolved),
                 [](const AssignableItemRow& row) { return !row.groupID; });
    return unresolved;
}

std::vector<AssignableItemRow> SettingsViewModel::rowsIn(const GroupID& group) const {
    std::vector<AssignableItemRow> members;
    std::copy_if(rows_.value().begin(), rows_.value().end(), std::back_inserter(members),
                 [&](const AssignableItemRow& row) { return row.groupID == group; });
    return members;
}

void SettingsViewModel::refresh() {
    publishGroups();
}

async::Task<void> SettingsViewModel::refreshRows() {
    return refreshRowsTask(shared_from_this());
}

std::optional<Group> SettingsViewModel::createGroup(std::string_view name, std::string symbolName) {
    std::string trimmed = UnicodeText::trimmingWhitespaceAndNewlines(name);
    if (trimmed.empty()) {
        createGroupError_.set("Give this Group a name.");
        return std::nullopt;
    }
    const std::int64_t order = GroupOrder::next(store_->groups());
    Group group{GroupID::random(), std::move(trimmed), std::move(symbolName), std::nullopt, order};
    store_->upsertGroup(group);
    createGroupError_.set(std::nullopt);
    publishGroups();
    notifyGroupsChanged();
    return group;
}

bool SettingsViewModel::renameGroup(const GroupID& group, std::string_view name) {
    std::string trimmed = UnicodeText::trimmingWhitespaceAndNewlines(name);
    if (trimmed.empty())
        return false;
    if (!editGroup(group, [&](Group& edited) { edited.name = std::move(trimmed); }))
        return false;
    notifyGroupsChanged();
    return true;
}

void SettingsViewModel::setSymbol(std::string symbolName, const GroupID& group) {
    if (editGroup(group, [&](Group& edited) { edited.symbolName = std::move(symbolName); }))
        notifyGroupsChanged();
}

void SettingsViewModel::setShortcut(std::optional<KeyboardShortcut> shortcut,
                                    const GroupID& group) {
    // The menu bar shows no shortcut, so there is nothing to re-place.
    if (editGroup(group, [&](Group& edited) { edited.shortcut = shortcut; }))
        syncShortcuts();
}

void SettingsViewModel::setGroupShortcuts(std::shared_ptr<GroupShortcuts> shortcuts) {
    shortcuts_ = std::move(shortcuts);
    if (!shortcuts_)
        return;
    shortcuts_->setOnChange([weakSelf = weak_from_this()] {
        if (auto self = weakSelf.lock())
            self->publishShortcutRefusals();
    });
    publishShortcutRefusals();
}

std::shared_ptr<void> SettingsViewModel::suspendShortcuts() {
    return shortcuts_ ? shortcuts_->suspend() : nullptr;
}

std::optional<std::string> SettingsViewModel::shortcutRefusalMessage(const GroupID& group) const {
    const auto& refusals = shortcutRefusals_.value();
    const auto found = refusals.find(group);
    if (found == refusals.end())
        return std::nullopt;
    return hotKeyRefusalMessage(found->second);
}

void SettingsViewModel::syncShortcuts() {
    if (shortcuts_)
        shortcuts_->sync(store_->groups());
}

void SettingsViewModel::publishShortcutRefusals() {
    std::unordered_map<GroupID, HotKeyRefusal> refusals;
    for (const Group& group : store_->groups())
        if (auto refusal = shortcuts_->refusal(group.id))
            refusals.emplace(group.id, *refusal);
    shortcutRefusals_.set(std::move(refusals));
}

async::Task<void> SettingsViewModel::deleteGroup(GroupID group) {
    return deleteGroupTask(shared_from_this(), group);
}

async::Task<AssignmentOutcome> SettingsViewModel::assign(ItemID item, GroupID group) {
    return assignTask(shared_from_this(), item, group);
}

async::Task<AssignmentOutcome> SettingsViewModel::unassign(ItemID item) {
    return unassignTask(shared_from_this(), item);
}

async::Task<void> SettingsViewModel::rename(ItemID item, std::string name) {
    return renameTask(shared_from_this(), item, std::move(name));
}

void SettingsViewModel::dismissAssignmentError() {
    assignmentError_.set(std::nullopt);
}

void SettingsViewModel::clearCreateGroupError() {
    createGroupError_.set(std::nullopt);
}

void SettingsViewModel::requestScreenRecordingAccess() {
    isScreenRecordingGranted_.set(screenRecording_->requestAccess());
}

void SettingsViewModel::refreshScreenRecordingStatus() {
    isScreenRecordingGranted_.set(screenRecording_->isGranted());
}

async::Task<void> SettingsViewModel::refreshRowsTask(std::shared_ptr<SettingsViewModel> self) {
    try {
        auto refreshed = self->itemAssignment_->refreshRows();
        auto rows = co_await std::move(refreshed);
        self->rows_.set(std::move(rows));
    } catch (const BackendError&) {
        // The rows shown stay as they were; the next refresh tries again.
    }
}

async::Task<void> SettingsViewModel::deleteGroupTask(std::shared_ptr<SettingsViewModel> self,
                                                     GroupID group) {
    if (group == WellKnownGroup::hidden)
        co_return;
    std::vector<Item> members;
    for (const Item& item : self->store_->items()) {
        if (item.groupID == group)
            members.push_back(item);
    }
    // One at a time: each unassignment moves a real item in the menu bar.
    for (Item member : members) {
        auto unassigning = self->itemAssignment_->unassign(member.id);
        const AssignmentOutcome outcome = co_await std::move(unassigning);
        if (outcome.kind() == AssignmentOutcome::Kind::itemNoLongerObserved) {
            // Not in the menu bar, so the coordinator left its record alone.
            member.groupID = std::nullopt;
            self->store_->upsertItem(member);
        }
    }
    self->store_->removeGroup(group);
    self->syncShortcuts();
    self->publishGroups();
    auto refreshing = refreshRowsTask(self);
    co_await std::move(refreshing);
    self->notifyGroupsChanged();
}

async::Task<AssignmentOutcome>
SettingsViewModel::assignTask(std::shared_ptr<SettingsViewModel> self, ItemID item, GroupID group) {
    const auto name = self->displayName(item);
    auto assigning = self->itemAssignment_->assign(item, group);
    AssignmentOutcome outcome = co_await std::move(assigning);
    self->assignmentError_.set(assignmentErrorMessage(outcome, name));
    auto refreshing = refreshRowsTask(self);
    co_await std::move(refreshing);
    co_return outcome;
}

async::Task<AssignmentOutcome>
SettingsViewModel::unassignTask(std::shared_ptr<SettingsViewModel> self, ItemID item) {
    auto unassigning = self->itemAssignment_->unassign(item);
    AssignmentOutcome outcome = co_await std::move(unassigning);
    auto refreshing = refreshRowsTask(self);
    co_await std::move(refreshing);
    co_return outcome;
}

async::Task<void> SettingsViewModel::renameTask(std::shared_ptr<SettingsViewModel> self,
                                                ItemID item, std::string name) {
    if (auto renamed = self->itemAssignment_->rename(item, name)) {
        self->rows_.set(std::move(*renamed));
        co_return;
    }
    auto refreshing = refreshRowsTask(self);
    co_await std::move(refreshing);
}

bool SettingsViewModel::editGroup(const GroupID& group, const std::function<void(Group&)>& edit) {
    const auto stored = store_->groups();
    const auto found = std::find_if(stored.begin(), stored.end(),
                                    [&](const Group& candidate) { return candidate.id == group; });
    if (found == stored.end())
        return false;
    Group edited = *found;
    edit(edited);
    store_->upsertGroup(edited);
    publishGroups();
    return true;
}

void SettingsViewModel::publishGroups() {
    groups_.set(GroupOrder::sorted(store_->groups()));
}

void SettingsViewModel::notifyGroupsChanged() {
    // Copied: the callback may replace itself.
    if (auto callback = onGroupsChanged_)
        callback();
}

std::optional<std::string> SettingsViewModel::displayName(const ItemID& item) const {
    for (const AssignableItemRow& row : rows_.value()) {
        if (row.id == item)
            return row.displayName;
    }
    return std::nullopt;
}

} // namespace corvel
