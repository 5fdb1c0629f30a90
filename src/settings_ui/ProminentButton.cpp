#include "settings_ui/ProminentButton.h"

#include "settings_ui/ScreenStyle.h"

namespace corvel {

QPushButton* ProminentButton::make(const QString& text) {
    auto* button = new QPushButton(text);
    button->setAccessibleName(text);
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumHeight(28);
    button->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: white; border: 1px "
                                         "solid %1; border-radius: 6px; padding: 4px 16px; }"
                                         "QPushButton:pressed { background: %2; }"
                                         "QPushButton:focus { border: 1px solid %3; }")
                              .arg(ScreenStyle::accent().name(),
                                   ScreenStyle::accent().darker(120).name(),
                                   ScreenStyle::accent().lighter(150).name()));
    return button;
}

QPushButton* ProminentButton::plain(const QString& text) {
    auto* button = new QPushButton(text);
    button->setAccessibleName(text);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace corvel
