#pragma once

#include "domain/Group.h"
#include "domain/ItemID.h"
#include "settings_ui/SettingsSidebarSelection.h"

#include <QListWidget>
#include <functional>
#include <optional>
#include <vector>

namespace corvel {

/// The settings sidebar: Layout; the "Groups" section while there are
/// Groups; Unresolved Items with its count; Hidden Group. A Group's row takes
/// Items dropped on it. Arrow keys move between the selectable rows.
/// Main thread only.
class SettingsSidebar final : public QListWidget {
  public:
    struct Actions {
        std::function<void(const SettingsSidebarSelection&)> onSelect;
        /// An Item dropped on a Group's row.
        std::function<void(ItemID, GroupID)> onDropItem;
    };

    explicit SettingsSidebar(Actions actions, QWidget* parent = nullptr);

    /// Rebuilds the rows; the selection is kept where its row still exists.
    void setGroups(const std::vector<Group>& groups);
    void setUnresolvedCount(std::size_t count);
    void select(const std::optional<SettingsSidebarSelection>& selection);

    /// The row's texts in order, section headers included, for inspection.
    QStringList rowTitles() const;
    QListWidgetItem* rowFor(const SettingsSidebarSelection& selection) const;
    std::optional<SettingsSidebarSelection> selectionAt(const QListWidgetItem* row) const;
    /// The Group row a drag over `position` (in viewport coordinates) targets.
    QListWidgetItem* dropTargetAt(const QPoint& position) const;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QListWidgetItem* addRow(const QString& title, const std::string& symbol,
                            const SettingsSidebarSelection& selection);
    void addHeader(const QString& title);
    void setDropTarget(QListWidgetItem* row);

    Actions actions_;
    std::vector<SettingsSidebarSelection> selections_;
    QListWidgetItem* dropTarget_ = nullptr;
    QListWidgetItem* unresolvedRow_ = nullptr;
    // Rebuilding the rows moves the current row; that is no choice of the person.
    bool isRebuilding_ = false;
};

} // namespace corvel
