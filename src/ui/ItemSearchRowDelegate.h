#pragma once

#include <QStyledItemDelegate>

namespace corvel {

/// Draws one row of the item search as a menu draws an entry: the item's
/// picture, its name with its application's name under it, and where it
/// lives at the right; the chosen row is highlighted as a Strip's focused
/// row is. Main thread only.
class ItemSearchRowDelegate final : public QStyledItemDelegate {
  public:
    static constexpr int rowHeight = 36;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace corvel
