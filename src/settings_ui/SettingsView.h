#pragma once

#include "settings/Subscription.h"
#include "settings_ui/GlobalShortcutView.h"
#include "settings_ui/GroupDetailView.h"
#include "settings_ui/LayoutView.h"
#include "settings_ui/NewGroupBar.h"
#include "settings_ui/ScreenRecordingToggle.h"
#include "settings_ui/SettingsScreens.h"
#include "settings_ui/SettingsSidebar.h"
#include "settings_ui/SettingsSidebarSelection.h"
#include "settings_ui/UnresolvedItemsView.h"

#include <QLabel>
#include <QStackedWidget>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// The settings window's content: the sidebar with its new-Group bar, and
/// the pane of the selected row. Failed assignments from any pane are told
/// in one alert. Built once per window; its state (the selection, the
/// new-Group field) lasts while the window does. Main thread only.
class SettingsView final : public QWidget {
  public:
    static constexpr int minimumWidth = 680;
    static constexpr int minimumHeight = 480;

    SettingsView(const SettingsScreens& screens,
                 std::optional<SettingsSidebarSelection> initialSelection,
                 QWidget* parent = nullptr);

    const std::optional<SettingsSidebarSelection>& selection() const { return selection_; }
    void select(std::optional<SettingsSidebarSelection> selection);

    SettingsSidebar* sidebar() const { return sidebar_; }
    NewGroupBar* newGroupBar() const { return newGroupBar_; }
    QLabel* paneTitle() const { return title_; }
    /// The pane now shown.
    QWidget* currentPane() const { return panes_->currentWidget(); }
    LayoutView* layoutView() const { return layout_; }
    UnresolvedItemsView* unresolvedView() const { return unresolved_; }
    /// The Group's pane while a Group is selected, else null.
    GroupDetailView* groupDetailView() const;
    /// The Screen Recording switches of the shown pane (none or one).
    std::vector<ScreenRecordingToggle*> visibleScreenRecordingToggles() const;

    /// Find Item…'s shortcut, on the Hidden Group pane.
    GlobalShortcutView* findItemShortcutView() const { return findItemShortcut_; }

    /// The text of the Hidden Group pane.
    static const char* hiddenGroupText();
    /// What the Hidden Group pane says of Find Item…'s shortcut.
    static const char* findItemText();

  private:
    QWidget* buildSidebarColumn();
    QWidget* buildUnresolvedPane();
    QWidget* buildHiddenGroupPane();
    QWidget* buildFindItemShortcut();
    QWidget* appSwitches() const;
    void showPane();
    void showGroupPane(const GroupID& id);
    void groupsChanged();
    bool commitNewGroup(const std::string& name);
    void tellAssignmentError(const std::optional<std::string>& message);
    std::optional<Group> group(const GroupID& id) const;

    SettingsScreens screens_;
    std::optional<SettingsSidebarSelection> selection_;
    SettingsSidebar* sidebar_;
    NewGroupBar* newGroupBar_;
    QLabel* title_;
    QStackedWidget* panes_;
    LayoutView* layout_;
    UnresolvedItemsView* unresolved_;
    QWidget* unresolvedPane_;
    QWidget* hiddenGroupPane_;
    GlobalShortcutView* findItemShortcut_ = nullptr;
    QWidget* groupPane_ = nullptr;
    bool isTellingAssignmentError_ = false;
    std::vector<Subscription> subscriptions_;
};

} // namespace corvel
