#include "ui/ItemSearchRowDelegate.h"

#include "ui/ItemSearchListModel.h"
#include "ui/StripRowButton.h"

#include <QPainter>
#include <QPixmap>

namespace corvel {

namespace {

constexpr int rowInset = 6;
// Application icons shrink to the slot's height; snapshots, 18 points high,
// may be wider, as text in the menu bar is.
constexpr int pictureSlotWidth = 32;
constexpr int pictureSlotHeight = 24;
constexpr int gap = 8;
constexpr qreal detailScale = 0.85;

} // namespace

void ItemSearchRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const QRect row = option.rect;
    const QPalette& palette = option.palette;
    if (option.state & QStyle::State_Selected)
        StripRowButton::paintHighlight(*painter, QRectF(row).adjusted(0, 1, 0, -1), palette);

    painter->save();
    const QRect slot(row.left() + rowInset, row.top() + (row.height() - pictureSlotHeight) / 2,
                     pictureSlotWidth, pictureSlotHeight);
    const auto pixmap = index.data(ItemSearchListModel::pictureRole).value<QPixmap>();
    if (!pixmap.isNull()) {
        QSize size = index.data(ItemSearchListModel::pictureSizeRole).toSize();
        if (size.width() > slot.width() || size.height() > slot.height())
            size = size.scaled(slot.size(), Qt::KeepAspectRatio);
        const QRect target(slot.center() - QPoint(size.width() / 2, size.height() / 2), size);
        painter->drawPixmap(target, pixmap);
    }

    const int textLeft = slot.right() + gap;
    const QRect text(textLeft, row.top() + 3, row.right() - rowInset - textLeft, row.height() - 6);
    QFont detailFont = option.font;
    detailFont.setPointSizeF(option.font.pointSizeF() * detailScale);
    const QColor secondary = palette.color(QPalette::PlaceholderText);

    // The place stands on the name's line, after it, never over it.
    const QRect nameLine(text.left(), text.top(), text.width(), QFontMetrics(option.font).height());
    const QString place = index.data(ItemSearchListModel::placeRole).toString();
    painter->setFont(detailFont);
    const int placeWidth = QFontMetrics(detailFont).horizontalAdvance(place);
    painter->setPen(secondary);
    painter->drawText(nameLine, Qt::AlignRight | Qt::AlignVCenter, place);

    const QRect nameRoom = nameLine.adjusted(0, 0, -(placeWidth + gap), 0);
    painter->setFont(option.font);
    painter->setPen(palette.color(QPalette::Text));
    const QString name = index.data(Qt::DisplayRole).toString();
    painter->drawText(nameRoom, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(option.font).elidedText(name, Qt::ElideRight, nameRoom.width()));

    painter->setFont(detailFont);
    painter->setPen(secondary);
    const QString application = index.data(ItemSearchListModel::applicationNameRole).toString();
    painter->drawText(
        text, Qt::AlignLeft | Qt::AlignBottom,
        QFontMetrics(detailFont).elidedText(application, Qt::ElideRight, text.width()));
    painter->restore();
}

QSize ItemSearchRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                      const QModelIndex&) const {
    return {option.rect.width(), rowHeight};
}

} // namespace corvel
