#include "settings_ui/LayoutLane.h"

#include "settings_ui/ItemDrag.h"
#include "settings_ui/ItemWidgets.h"
#include "settings_ui/ScreenStyle.h"
#include "ui/SymbolIcons.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace corvel {

namespace {
using TextSize = ScreenStyle::TextSize;
using Tone = ScreenStyle::Tone;
} // namespace

LayoutLane::LayoutLane(Content content, const SettingsScreens& screens, QWidget* parent)
    : QFrame(parent), content_(std::move(content)), screens_(screens) {
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 14);
    layout->setSpacing(10);

    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    symbol_ = new QLabel;
    title_ = ScreenStyle::label({}, TextSize::headline);
    title_->setWordWrap(false);
    header->addWidget(symbol_);
    header->addWidget(title_);
    if (content_.subtitle) {
        auto* subtitle = ScreenStyle::label(QString::fromStdString(*content_.subtitle),
                                            TextSize::caption, Tone::secondary);
        subtitle->setWordWrap(false);
        header->addWidget(subtitle);
    }
    count_ = ScreenStyle::label("0", TextSize::caption, Tone::secondary);
    count_->setWordWrap(false);
    header->addWidget(count_);
    header->addStretch();
    layout->addLayout(header);

    empty_ = ScreenStyle::label(QString::fromStdString(content_.emptyText), TextSize::callout,
                                Tone::tertiary);
    layout->addWidget(empty_);
    grid_ = new QWidget;
    gridLayout_ =
        new AdaptiveGridLayout(minimumColumnWidth, maximumColumnWidth, gridSpacing, grid_);
    layout->addWidget(grid_);
    setTitle(content_.title, content_.symbol);
    setRows({});
}

void LayoutLane::setTitle(const std::string& title, const std::string& symbol) {
    content_.title = title;
    content_.symbol = symbol;
    title_->setText(QString::fromStdString(title));
    symbol_->setPixmap(
        SymbolIcons::pixmap(symbol, QSize(16, 16), ScreenStyle::color(Tone::secondary)));
    setAccessibleName(QString::fromStdString(title));
}

void LayoutLane::setRows(const std::vector<AssignableItemRow>& rows) {
    auto onRename = content_.onRename;
    tiles_ = reconcileItemWidgets(
        tiles_, rows, *gridLayout_,
        [&](const AssignableItemRow& row) {
            return new ItemTile(
                row, screens_,
                [onRename, id = row.id](std::string name) {
                    if (onRename)
                        onRename(id, std::move(name));
                },
                grid_);
        },
        [](ItemTile& tile, const AssignableItemRow& row) { tile.setRow(row); });
    count_->setText(QString::number(rows.size()));
    empty_->setVisible(rows.empty());
    grid_->setVisible(!rows.empty());
    setAccessibleDescription(QStringLiteral("%1 Items").arg(rows.size()));
}

void LayoutLane::setTargeted(bool targeted) {
    isTargeted_ = targeted;
    update();
}

void LayoutLane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (isTargeted_) {
        QColor fill = ScreenStyle::accent();
        fill.setAlphaF(0.12);
        painter.setBrush(fill);
        painter.setPen(QPen(ScreenStyle::accent(), 2));
    } else {
        painter.setBrush(ScreenStyle::quaternaryFill());
        painter.setPen(QPen(ScreenStyle::separator(), 0.5));
    }
    painter.drawRoundedRect(frame, 14, 14);
}

void LayoutLane::dragEnterEvent(QDragEnterEvent* event) {
    if (ItemDrag::acceptIfItem(*event))
        setTargeted(true);
}

void LayoutLane::dragMoveEvent(QDragMoveEvent* event) {
    ItemDrag::acceptIfItem(*event);
}

void LayoutLane::dragLeaveEvent(QDragLeaveEvent* event) {
    QFrame::dragLeaveEvent(event);
    setTargeted(false);
}

void LayoutLane::dropEvent(QDropEvent* event) {
    setTargeted(false);
    const auto id = ItemDrag::acceptIfItem(*event);
    if (id && content_.onDrop)
        content_.onDrop(*id);
}

} // namespace corvel
