#pragma once

#include "domain/Group.h"
#include "settings/ShortcutRecorderViewModel.h"
#include "settings/Subscription.h"
#include "settings_ui/ItemRowList.h"
#include "settings_ui/SettingsScreens.h"
#include "settings_ui/ShortcutRecorderView.h"
#include "settings_ui/SymbolPickerView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <memory>
#include <string>
#include <vector>

namespace corvel {

/// The pane that edits one Group: its name (applied while typing), its
/// symbol, its shortcut (and why it is not registered, when it is not), the
/// Items filed into it (dropped Items are filed into it too), and deleting
/// it after a confirmation. While the recorder records, no global shortcut
/// answers, so that it hears every combination. Reads the rows again each time it appears.
/// Main thread only.
class GroupDetailView final : public QScrollArea {
  public:
    GroupDetailView(const Group& group, const SettingsScreens& screens, QWidget* parent = nullptr);

    const GroupID& groupID() const { return group_.id; }
    QLineEdit* nameField() const { return name_; }
    SymbolPickerView* symbolPicker() const { return symbols_; }
    ShortcutRecorderView* shortcutRecorder() const { return shortcut_; }
    /// Under the recorder: why the Group's shortcut is not registered.
    QLabel* shortcutRefusalLabel() const { return shortcutRefusal_; }
    ItemRowList* itemRows() const { return items_; }
    QLabel* noItemsLabel() const { return noItems_; }
    QPushButton* deleteButton() const { return delete_; }

    /// The title of the confirmation asked before deleting `groupName`.
    static std::string deleteConfirmationTitle(const std::string& groupName);

  protected:
    void showEvent(QShowEvent* event) override;
    /// An Item dropped anywhere on the pane is filed into its Group.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void showRows();
    void showShortcutRefusal();
    /// Builds the recorder and the line under it.
    QWidget* shortcutSection(const std::shared_ptr<SettingsViewModel>& viewModel);
    void confirmDelete();
    std::string currentName() const;

    Group group_;
    SettingsScreens screens_;
    QLineEdit* name_;
    SymbolPickerView* symbols_;
    ShortcutRecorderView* shortcut_;
    QLabel* shortcutRefusal_;
    /// Kept while the recorder records: no global shortcut answers then.
    std::shared_ptr<void> shortcutsSuspended_;
    ItemRowList* items_;
    QLabel* noItems_;
    QPushButton* delete_;
    std::vector<Subscription> subscriptions_;
};

} // namespace corvel
