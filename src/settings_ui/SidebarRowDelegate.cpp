#include "settings_ui/SidebarRowDelegate.h"

#include "settings_ui/ScreenStyle.h"

#include <QApplication>
#include <QPainter>

namespace corvel {

void SidebarRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    if (index.data(headerRole).toBool()) {
        paintHeader(painter, option, index);
        return;
    }
    if (index.data(dropTargetRole).toBool()) {
        QColor wash = ScreenStyle::accent();
        wash.setAlphaF(0.15);
        painter->fillRect(option.rect, wash);
    }
    const auto badge = index.data(badgeRole);
    if (!badge.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The selection runs under the badge; the text stops short of it.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    const auto* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
    QStyleOptionViewItem shown = option;
    shown.rect.setRight(shown.rect.right() - 36);
    QStyledItemDelegate::paint(painter, shown, index);
    if (badge.isValid())
        paintBadge(painter, option, badge.toInt());
}

void SidebarRowDelegate::paintHeader(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) {
    painter->save();
    painter->setFont(ScreenStyle::font(ScreenStyle::TextSize::caption, true));
    painter->setPen(ScreenStyle::color(ScreenStyle::Tone::secondary));
    painter->drawText(option.rect.adjusted(8, 0, -8, -2), Qt::AlignLeft | Qt::AlignBottom,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

void SidebarRowDelegate::paintBadge(QPainter* painter, const QStyleOptionViewItem& option,
                                    int count) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QString text = QString::number(count);
    QFont font = ScreenStyle::font(ScreenStyle::TextSize::caption, true);
    painter->setFont(font);
    const int width = std::max(20, QFontMetrics(font).horizontalAdvance(text) + 10);
    const QRect pill(option.rect.right() - width - 8, option.rect.center().y() - 8, width, 16);
    painter->setPen(Qt::NoPen);
    painter->setBrush(ScreenStyle::separator());
    painter->drawRoundedRect(pill, 8, 8);
    painter->setPen(ScreenStyle::color(ScreenStyle::Tone::secondary));
    painter->drawText(pill, Qt::AlignCenter, text);
    painter->restore();
}

QSize SidebarRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (index.data(headerRole).toBool())
        size.setHeight(index.data(Qt::DisplayRole).toString().isEmpty() ? 10 : 24);
    else
        size.setHeight(std::max(size.height(), 28));
    return size;
}

} // namespace corvel
