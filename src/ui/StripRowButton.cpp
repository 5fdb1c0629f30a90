#include "ui/StripRowButton.h"

#include <QKeyEvent>
#include <QPainter>

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

void StripRowButton::paintEvent(QPaintEvent* event) {
    if (isFocusedRow()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        QColor highlight = palette().color(QPalette::Highlight);
        highlight.setAlpha(highlightAlpha);
        painter.setBrush(highlight);
        painter.drawRoundedRect(QRectF(rect()), highlightRadius, highlightRadius);
    }
    QToolButton::paintEvent(event);
}

} // namespace corvel
