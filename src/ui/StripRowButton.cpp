#include "ui/StripRowButton.h"

#include <QKeyEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>

namespace corvel {

namespace {
constexpr qreal highlightRadius = 5;
constexpr int highlightAlpha = 70;
} // namespace

StripRowButton::StripRowButton(const QString& title, QWidget* parent) : QToolButton(parent) {
    setText(title);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Flat until pointed at or focused.
    setAutoRaise(true);
    setFocusPolicy(Qt::StrongFocus);
    // Every row spans the Strip, so that its highlight does, as a menu's.
    setSizePolicy(QSizePolicy::Expanding, sizePolicy().verticalPolicy());
}

void StripRowButton::setRow(ItemID itemID, GroupID group) {
    itemID_ = itemID;
    group_ = group;
}

bool StripRowButton::isFocusedRow() const {
    return window()->focusWidget() == this;
}

// The panel decides what every key does, so that Space presses a row once,
// as Return does, rather than on its release as a button would.
void StripRowButton::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void StripRowButton::keyReleaseEvent(QKeyEvent* event) {
    event->ignore();
}

void StripRowButton::focusInEvent(QFocusEvent* event) {
    QToolButton::focusInEvent(event);
    update();
}

void StripRowButton::focusOutEvent(QFocusEvent* event) {
    QToolButton::focusOutEvent(event);
    update();
}

void StripRowButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    if (isFocusedRow() || underMouse())
        paintHighlight(painter, QRectF(rect()), palette());
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // The picture and name stay at the row's left edge however wide the
    // Strip is, and the highlight is the only panel a row shows.
    option.rect.setWidth(std::min(option.rect.width(), sizeHint().width()));
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_Raised | QStyle::State_Sunken);
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

void StripRowButton::paintHighlight(QPainter& painter, const QRectF& row, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor highlight = palette.color(QPalette::Highlight);
    highlight.setAlpha(highlightAlpha);
    painter.setBrush(highlight);
    painter.drawRoundedRect(row, highlightRadius, highlightRadius);
    painter.restore();
}

} // namespace corvel
