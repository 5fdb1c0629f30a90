#pragma once

#include <QStyledItemDelegate>

namespace corvel {

/// Draws the sidebar's rows as the platform's source lists do: section
/// headings in small secondary type, the count badge at the row's end, and
/// the accent wash over a Group row that a dragged Item hovers.
class SidebarRowDelegate final : public QStyledItemDelegate {
  public:
    static constexpr int headerRole = Qt::UserRole + 2;
    static constexpr int badgeRole = Qt::UserRole + 3;
    static constexpr int dropTargetRole = Qt::UserRole + 4;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    static void paintHeader(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index);
    static void paintBadge(QPainter* painter, const QStyleOptionViewItem& option, int count);
};

} // namespace corvel
