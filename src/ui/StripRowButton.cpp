#include "ui/StripRowButton.h"

namespace corvel {

StripRowButton::StripRowButton(const QString& title, QWidget* parent) : QToolButton(parent) {
    setText(title);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Flat until pointed at, and it does not take focus from the panel, so
    // that Escape keeps reaching the panel after a row was pointed at.
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
}

void StripRowButton::setRow(ItemID itemID, GroupID group) {
    itemID_ = itemID;
    group_ = group;
}

} // namespace corvel
