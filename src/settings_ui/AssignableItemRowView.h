#pragma once

#include "domain/Group.h"
#include "engine/AssignableItemRow.h"
#include "settings_ui/RenameField.h"
#include "settings_ui/SettingsScreens.h"

#include <QComboBox>
#include <QLabel>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// One Item as a row of the Group detail and Unresolved Items panes: icon,
/// name (renamable in place), the needs-a-hand warning and the "Assign to"
/// picker. It can be dragged like a tile. Main thread only.
class AssignableItemRowView final : public QWidget {
  public:
    struct Actions {
        std::function<void(GroupID)> onAssign;
        std::function<void()> onUnassign;
        std::function<void(std::string)> onRename;
    };

    AssignableItemRowView(const AssignableItemRow& row, const std::vector<Group>& groups,
                          Actions actions, const SettingsScreens& screens,
                          QWidget* parent = nullptr);

    /// Shows the latest row and choices; a rename under way keeps its field.
    void setRow(const AssignableItemRow& row, const std::vector<Group>& groups);
    const AssignableItemRow& row() const { return row_; }

    QComboBox* picker() const { return picker_; }
    QLabel* warning() const { return warning_; }
    RenameField* nameField() const { return name_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void choose(int index);
    void showChoices(const std::vector<Group>& groups, const std::optional<GroupID>& chosen);

    AssignableItemRow row_;
    std::vector<Group> groups_;
    Actions actions_;
    ItemDragSession* drags_;
    QLabel* icon_;
    RenameField* name_;
    QLabel* warning_;
    QComboBox* picker_;
};

} // namespace corvel
