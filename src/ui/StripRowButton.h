#pragma once

#include "domain/GroupID.h"
#include "domain/ItemID.h"

#include <QPainter>
#include <QToolButton>
#include <optional>

namespace corvel {

/// One row of a Strip: a flat button with the item's picture before its
/// name. Carries which row of which Group it stands for; both are set when
/// the row is built. It takes the focus but leaves every key to the panel,
/// and shows the focus, or the pointer over it, as a menu shows its
/// highlighted entry, across the whole Strip. Main thread
/// only.
class StripRowButton final : public QToolButton {
  public:
    explicit StripRowButton(const QString& title, QWidget* parent = nullptr);

    const std::optional<ItemID>& itemID() const { return itemID_; }
    const std::optional<GroupID>& group() const { return group_; }
    void setRow(ItemID itemID, GroupID group);

    /// Whether this row holds its window's focus, active or not.
    bool isFocusedRow() const;

    /// Marks a row as a menu marks its highlighted entry; every list of
    /// items in Corvel's panels draws its chosen row so.
    static void paintHighlight(QPainter& painter, const QRectF& row, const QPalette& palette);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<ItemID> itemID_;
    std::optional<GroupID> group_;
};

} // namespace corvel
