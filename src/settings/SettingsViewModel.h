#pragma once

#include "async/Task.h"
#include "domain/Group.h"
#include "domain/GroupID.h"
#include "domain/ItemID.h"
#include "domain/KeyboardShortcut.h"
#include "engine/AssignableItemRow.h"
#include "engine/AssignmentOutcome.h"
#include "engine/HotKeyRefusal.h"
#include "settings/Observable.h"
#include "settings/ScreenRecordingPermissionChecking.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvel {

class GroupShortcuts;
class GroupStore;
class ItemAssignmentCoordinator;

/// The one model behind every screen of the settings window: the Groups and
/// the assignable Item rows they show, the two short error messages and the
/// Screen Recording status; and every edit the person makes there. It owns no
/// data: Groups and Items live in the group store, filing goes through the
/// item assignment coordinator.
///
/// Main thread only. The asynchronous operations suspend at each coordinator
/// call and resume on the executor of the task that awaits them; another
/// call may run in the gap and change the published values. Each of their
/// tasks holds the view model (and so the store and the coordinator) until it
/// ends, so a screen closed mid-operation leaves nothing dangling. Built with
/// create(), always owned by a shared_ptr.
class SettingsViewModel : public std::enable_shared_from_this<SettingsViewModel> {
  public:
    static std::shared_ptr<SettingsViewModel>
    create(std::shared_ptr<GroupStore> store,
           std::shared_ptr<ItemAssignmentCoordinator> itemAssignment,
           std::shared_ptr<ScreenRecordingPermissionChecking> screenRecording);

    SettingsViewModel(const SettingsViewModel&) = delete;
    SettingsViewModel& operator=(const SettingsViewModel&) = delete;

    // Published values.
    /// The store's Groups by `order`, ties in store order.
    const Observable<std::vector<Group>>& groups() const { return groups_; }
    /// In the coordinator's order; empty until the first refresh.
    const Observable<std::vector<AssignableItemRow>>& rows() const { return rows_; }
    /// The message under the new-Group field.
    const Observable<std::optional<std::string>>& createGroupError() const {
        return createGroupError_;
    }
    /// The message of the last failed or incomplete assignment.
    const Observable<std::optional<std::string>>& assignmentError() const {
        return assignmentError_;
    }
    const Observable<bool>& isScreenRecordingGranted() const { return isScreenRecordingGranted_; }
    /// Why each Group's shortcut is not registered as a global hot key; a
    /// Group whose shortcut is registered, or that has none, is not listed.
    const Observable<std::unordered_map<GroupID, HotKeyRefusal>>& shortcutRefusals() const {
        return shortcutRefusals_;
    }
    /// The sentence for the Group's refused shortcut; none when it is not.
    std::optional<std::string> shortcutRefusalMessage(const GroupID& group) const;

    /// The Groups' global shortcuts, synced after every shortcut change and
    /// every deletion made here. Without them (no hot keys on the platform)
    /// shortcuts are only stored.
    void setGroupShortcuts(std::shared_ptr<GroupShortcuts> shortcuts);
    /// While the answer is kept no global shortcut answers, so that the
    /// recorder hears every combination; none without shortcuts.
    [[nodiscard]] std::shared_ptr<void> suspendShortcuts();

    /// Called after every change of the Groups made here, except a shortcut
    /// change, so that the menu bar's icons and filing follow. May be empty.
    /// Called on the main thread inside the operation; it must not destroy
    /// the view model's last owner synchronously.
    void setOnGroupsChanged(std::function<void()> onGroupsChanged);
    const std::function<void()>& onGroupsChanged() const { return onGroupsChanged_; }

    // Derived from rows, in rows order.
    std::vector<AssignableItemRow> unresolvedRows() const;
    std::vector<AssignableItemRow> rowsIn(const GroupID& group) const;

    /// Re-reads the store's Groups.
    void refresh();
    /// Re-reads the rows from the coordinator; a failure keeps the old rows.
    async::Task<void> refreshRows();

    /// A new Group named with the trimmed `name` after every other Group, or
    /// none (and createGroupError set) when the trimmed name is empty.
    std::optional<Group> createGroup(std::string_view name, std::string symbolName);
    /// False for a blank name (no message) or a Group that does not exist.
    bool renameGroup(const GroupID& group, std::string_view name);
    void setSymbol(std::string symbolName, const GroupID& group);
    /// No conflict check here: the shortcut recorder has made it. The global
    /// shortcuts follow.
    void setShortcut(std::optional<KeyboardShortcut> shortcut, const GroupID& group);
    /// Takes the Group's members out one after another, then removes the
    /// Group. The Hidden Group cannot be deleted.
    async::Task<void> deleteGroup(GroupID group);

    /// Files the Item; assignmentError becomes the outcome's message or none.
    async::Task<AssignmentOutcome> assign(ItemID item, GroupID group);
    /// Takes the Item out of its Group; leaves assignmentError alone.
    async::Task<AssignmentOutcome> unassign(ItemID item);
    /// Gives the Item the person's name as typed (an empty name is the
    /// coordinator's to interpret).
    async::Task<void> rename(ItemID item, std::string name);

    void dismissAssignmentError();
    /// For the new-Group field's cancel button.
    void clearCreateGroupError();

    void requestScreenRecordingAccess();
    void refreshScreenRecordingStatus();

  private:
    SettingsViewModel(std::shared_ptr<GroupStore> store,
                      std::shared_ptr<ItemAssignmentCoordinator> itemAssignment,
                      std::shared_ptr<ScreenRecordingPermissionChecking> screenRecording);

    // Each takes its owner by value so that the frame keeps it alive.
    static async::Task<void> refreshRowsTask(std::shared_ptr<SettingsViewModel> self);
    static async::Task<void> deleteGroupTask(std::shared_ptr<SettingsViewModel> self,
                                             GroupID group);
    static async::Task<AssignmentOutcome> assignTask(std::shared_ptr<SettingsViewModel> self,
                                                     ItemID item, GroupID group);
    static async::Task<AssignmentOutcome> unassignTask(std::shared_ptr<SettingsViewModel> self,
                                                       ItemID item);
    static async::Task<void> renameTask(std::shared_ptr<SettingsViewModel> self, ItemID item,
                                        std::string name);

    /// Applies `edit` to a copy of the Group and stores it; false when no
    /// Group has the id.
    bool editGroup(const GroupID& group, const std::function<void(Group&)>& edit);
    void publishGroups();
    void notifyGroupsChanged();
    /// Registers the store's shortcuts again; publishes the refusals.
    void syncShortcuts();
    void publishShortcutRefusals();
    std::optional<std::string> displayName(const ItemID& item) const;

    std::shared_ptr<GroupStore> store_;
    std::shared_ptr<ItemAssignmentCoordinator> itemAssignment_;
    std::shared_ptr<ScreenRecordingPermissionChecking> screenRecording_;
    Observable<std::vector<Group>> groups_;
    Observable<std::vector<AssignableItemRow>> rows_;
    Observable<std::optional<std::string>> createGroupError_;
    Observable<bool> isScreenRecordingGranted_{false};
    std::function<void()> onGroupsChanged_;
    Observable<std::optional<std::string>> assignmentError_;
    std::shared_ptr<GroupShortcuts> shortcuts_;
    Observable<std::unordered_map<GroupID, HotKeyRefusal>> shortcutRefusals_;
};

} // namespace corvel
