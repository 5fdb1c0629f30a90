#include "app/ScenePhotographer.h"

#include "app/DesktopPainter.h"
#include "app/WindowFrame.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace corvel::app {

namespace {

// Alerts stand above panels, and panels (which stay on top) above windows.
int layerOf(const QWidget& window) {
    if (window.isModal())
        return 2;
    return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? 1 : 0;
}

std::vector<QWidget*> windowsBackToFront(const QWidget& desktopView) {
    std::vector<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &desktopView && window->isVisible())
            windows.push_back(window);
    std::stable_sort(windows.begin(), windows.end(),
                     [](QWidget* a, QWidget* b) { return layerOf(*a) < layerOf(*b); });
    return windows;
}

} // namespace

QPixmap ScenePhotographer::pictureOf(QWidget& window, double pixelRatio) {
    QPixmap picture((QSizeF(window.size()) * pixelRatio).toSize());
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(Qt::transparent);
    window.render(&picture, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return picture;
}

QImage ScenePhotographer::photograph() const {
    const DesktopScene scene = view_.scene();
    QImage picture(static_cast<int>(std::lround(scene.screen.width * pixelsPerPoint)),
                   static_cast<int>(std::lround(scene.screen.height * pixelsPerPoint)),
                   QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return picture;
    QPainter painter(&picture);
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    DesktopPainter::paint(painter, scene, pixelsPerPoint);
    const ScreenMapping& mapping = view_.mapping();
    for (QWidget* window : windowsBackToFront(view_)) {
        const auto content = mapping.toSimulated(QRectF(window->geometry()));
        const WindowFrame frame = WindowFrame::of(
            *window, {content.origin.x, content.origin.y, content.size.width, content.size.height});
        frame.paint(painter, pictureOf(*window, pixelsPerPoint / mapping.scale), pixelsPerPoint);
    }
    return picture;
}

std::optional<std::string> ScenePhotographer::save(const QString& path) const {
    const QImage picture = photograph();
    if (picture.isNull())
        return "the display has no area to picture";
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return "the picture could not be encoded as PNG";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(png) != png.size() ||
        !file.flush())
        return file.errorString().toStdString();
    file.close();
    if (file.error() != QFileDevice::NoError)
        return file.errorString().toStdString();
    return std::nullopt;
}

} // namespace corvel::app
