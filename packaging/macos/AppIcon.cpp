// corvel_app_icon <folder>: Corvel's application icon, drawn from the glyph
// of its menu bar icon at every size a macOS iconset holds
// (icon_16x16.png ... icon_512x512@2x.png), for iconutil to make Corvel.icns
// of. The same drawing runs anywhere Qt does, so the icon can be looked at
// without a Mac.
#include "backend_mac26/CorvelGlyph.h"
#include "ui/PlatformImageRenderer.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

using namespace corvel;

namespace {

// The icon grid of macOS applications: a rounded square inset by about a
// tenth of the canvas, on a transparent ground.
QImage icon(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double inset = pixels * 100.0 / 1024;
    const QRectF square(inset, inset, pixels - 2 * inset, pixels - 2 * inset);
    QLinearGradient fill(square.topLeft(), square.bottomLeft());
    fill.setColorAt(0, QColor(0x4f, 0x9c, 0xf0));
    fill.setColorAt(1, QColor(0x1f, 0x5f, 0xc4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const double radius = square.width() * 0.225;
    painter.drawRoundedRect(square, radius, radius);

    // The glyph, white, filling most of the square's width.
    const auto glyph = CorvelGlyph::menuBarTemplate();
    const double ratio = square.width() * 0.64 / glyph.size().width;
    // Drawn in this image's own pixels, whatever ratio the renderer noted.
    QImage drawn = PlatformImageRenderer::pixmap(glyph, Qt::white, ratio).toImage();
    drawn.setDevicePixelRatio(1);
    painter.drawImage(QPointF(square.center().x() - drawn.width() / 2.0,
                              square.center().y() - drawn.height() / 2.0),
                      drawn);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvel_app_icon <folder>\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "corvel_app_icon: cannot create %s\n", argv[1]);
        return 1;
    }
    for (int points : {16, 32, 128, 256, 512}) {
        for (int scale : {1, 2}) {
            const QString name =
                QString("icon_%1x%1%2.png").arg(points).arg(scale == 2 ? "@2x" : "");
            if (!icon(points * scale).save(folder.filePath(name), "PNG")) {
                std::fprintf(stderr, "corvel_app_icon: cannot write %s\n",
                             qPrintable(folder.filePath(name)));
                return 1;
            }
        }
    }
    return EXIT_SUCCESS;
}
