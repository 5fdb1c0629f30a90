#pragma once

#include "engine/AssignableItemRow.h"
#include "settings_ui/ItemDragSession.h"
#include "settings_ui/RenameField.h"
#include "settings_ui/SettingsScreens.h"

#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>

namespace corvel {

/// One Item as an 88 × 88 tile of the Layout pane: its application's icon,
/// its name (renamable in place), the needs-a-hand badge. It can be dragged
/// (the payload is the Item's id) and offers "Rename…" in its context menu.
/// Main thread only.
class ItemTile final : public QFrame {
  public:
    static constexpr int side = 88;
    static constexpr int iconSide = 40;

    ItemTile(const AssignableItemRow& row, const SettingsScreens& screens,
             std::function<void(std::string)> onRename, QWidget* parent = nullptr);

    /// Shows the row's latest state; a rename under way keeps its field.
    void setRow(const AssignableItemRow& row);
    const AssignableItemRow& row() const { return row_; }

    /// What a drag of this tile carries.
    std::unique_ptr<QMimeData> dragPayload() const;
    RenameField* nameField() const { return name_; }
    /// The needs-a-hand badge; hidden unless the row needs a hand.
    QLabel* badge() const { return badge_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    /// Return on a focused tile starts renaming it, as in the platform's lists.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showBadge();

    AssignableItemRow row_;
    ItemDragSession* drags_;
    QLabel* icon_;
    RenameField* name_;
    QLabel* badge_;
    bool isHovering_ = false;
};

} // namespace corvel
