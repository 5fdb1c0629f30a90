#include "settings_ui/ItemTile.h"

#include "settings_ui/ItemDrag.h"
#include "settings_ui/NeedsAHandText.h"
#include "settings_ui/ScreenStyle.h"
#include "ui/SymbolIcons.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace corvel {

namespace {

constexpr int badgeSide = 16;

QPixmap badgePicture() {
    QPixmap picture(badgeSide, badgeSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ScreenStyle::color(ScreenStyle::Tone::orange));
    painter.drawEllipse(QRectF(0, 0, badgeSide, badgeSide));
    const auto mark = SymbolIcons::pixmap("exclamationmark", QSize(9, 9), Qt::white);
    painter.drawPixmap((badgeSide - 9) / 2, (badgeSide - 9) / 2, mark);
    return picture;
}

} // namespace

ItemTile::ItemTile(const AssignableItemRow& row, const SettingsScreens& screens,
                   std::function<void(std::string)> onRename, QWidget* parent)
    : QFrame(parent), row_(row), drags_(&screens.drags()) {
    setFixedSize(side, side);
    setCursor(Qt::OpenHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 10, 6, 6);
    layout->setSpacing(6);
    icon_ = new QLabel;
    icon_->setFixedSize(iconSide, iconSide);
    icon_->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon_, 0, Qt::AlignHCenter);
    name_ = new RenameField(row.displayName, std::move(onRename));
    name_->setLabelFont(ScreenStyle::font(ScreenStyle::TextSize::caption));
    layout->addWidget(name_);
    layout->addStretch();
    badge_ = new QLabel(this);
    badge_->setPixmap(badgePicture());
    badge_->setFixedSize(badgeSide, badgeSide);
    badge_->move(side - badgeSide - 4, 4);
    icon_->setPixmap(screens.icons().iconOrPlaceholder(row.bundleID, iconSide));
    setRow(row);
}

void ItemTile::setRow(const AssignableItemRow& row) {
    row_ = row;
    name_->setDisplayName(row.displayName);
    setToolTip(QString::fromStdString(row.bundleID));
    setAccessibleName(QString::fromStdString(row.displayName));
    setAccessibleDescription(QString::fromStdString(row.bundleID));
    showBadge();
}

void ItemTile::showBadge() {
    badge_->setVisible(row_.needsAHand);
    const auto help = QString::fromStdString(needsAHandHelpText(row_.displayName));
    badge_->setToolTip(row_.needsAHand ? help : QString());
    badge_->setAccessibleName(row_.needsAHand ? help : QString());
}

std::unique_ptr<QMimeData> ItemTile::dragPayload() const {
    return ItemDrag::mimeData(row_.id);
}

void ItemTile::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    QColor border = dark ? QColor(255, 255, 255, isHovering_ ? 90 : 30)
                         : QColor(0, 0, 0, isHovering_ ? 70 : 22);
    if (hasFocus())
        border = ScreenStyle::accent();
    painter.setPen(QPen(border, isHovering_ || hasFocus() ? 1.5 : 1));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 10, 10);
}

void ItemTile::enterEvent(QEnterEvent* event) {
    QFrame::enterEvent(event);
    isHovering_ = true;
    update();
}

void ItemTile::leaveEvent(QEvent* event) {
    QFrame::leaveEvent(event);
    isHovering_ = false;
    update();
}

void ItemTile::mousePressEvent(QMouseEvent* event) {
    drags_->notePress(*event);
    QFrame::mousePressEvent(event);
}

void ItemTile::mouseMoveEvent(QMouseEvent* event) {
    if (name_->isRenaming() || !drags_->dragIfMoved(*event, this, row_.id))
        QFrame::mouseMoveEvent(event);
}

void ItemTile::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = name_->makeContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void ItemTile::keyPressEvent(QKeyEvent* event) {
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (isReturn && !name_->isRenaming()) {
        name_->startRenaming();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace corvel
