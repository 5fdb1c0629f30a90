#include "ui/FloatingPanel.h"

#include "ui/StripPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace corvel {

void FloatingPanel::configure(QWidget& panel) {
    panel.setAttribute(Qt::WA_TranslucentBackground);
    panel.setAttribute(Qt::WA_MacAlwaysShowToolWindow);
    panel.setFocusPolicy(Qt::StrongFocus);
}

void FloatingPanel::place(QWidget& panel, const std::optional<ItemFrame>& anchor,
                          platform::Screens* screens, const ScreenMapping& mapping,
                          bool keepOnScreen) {
    std::optional<platform::Rect> screen;
    if (screens)
        screen = screens->mainScreenFrame();
    std::optional<double> screenHeight;
    if (screen)
        screenHeight = screen->size.height;
    auto origin = StripPlacement::frameOrigin(anchor, screenHeight, panel.height());
    if (origin) {
        if (keepOnScreen)
            origin->x = std::max(0.0, std::min(origin->x, screen->size.width - panel.width()));
        panel.move(mapping(*origin, panel.size()));
        return;
    }
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        QRect area = primary->geometry();
        panel.move(area.center() - QPoint(panel.width() / 2, panel.height() / 2));
    }
}

FloatingPanel::ScreenMapping FloatingPanel::identityMapping() {
    return [](const platform::Point& origin, const QSize&) {
        return QPoint(int(std::lround(origin.x)), int(std::lround(origin.y)));
    };
}

} // namespace corvel
