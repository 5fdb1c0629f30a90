#include "app/ScenePhotographer.h"

#include "app/DesktopPainter.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace corvel::app {

namespace {

// Pictures are drawn at twice the point size, as on a Retina display, so the
// menu bar's small type stays legible.
constexpr double pixelsPerPoint = 2;

} // namespace

QImage ScenePhotographer::photograph() const {
    const DesktopScene scene = view_.scene();
    QImage picture(static_cast<int>(std::lround(scene.screen.width * pixelsPerPoint)),
                   static_cast<int>(std::lround(scene.screen.height * pixelsPerPoint)),
                   QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&picture);
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    DesktopPainter::paint(painter, scene, pixelsPerPoint);
    const ScreenMapping& mapping = view_.mapping();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == &view_ || !window->isVisible())
            continue;
        const auto frame = mapping.toSimulated(QRectF(window->geometry()));
        const QRectF target(frame.origin.x, frame.origin.y, frame.size.width, frame.size.height);
        // The window system's part: a shadow under every window, and under a
        // panel with a clear background the frosted material it floats on.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 50));
        painter.drawRoundedRect(target.translated(0, 4).adjusted(-2, 0, 2, 3), 10, 10);
        if (window->testAttribute(Qt::WA_TranslucentBackground)) {
            painter.setBrush(QColor(246, 246, 248, 235));
            painter.drawRoundedRect(target, 10, 10);
        }
        painter.drawPixmap(target, window->grab(), QRectF());
    }
    return picture;
}

bool ScenePhotographer::save(const QString& path) const {
    return photograph().save(path, "PNG");
}

} // namespace corvel::app
