#include "ui/SymbolIcons.h"

#include "ui/SymbolIconTable.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace corvel {

QString SymbolIcons::resourcePath(const std::string& symbolName) {
    auto file = SymbolIconTable::file(symbolName);
    if (!file)
        return {};
    return QStringLiteral(":/symbols/") + QString::fromUtf8(file->data(), qsizetype(file->size()));
}

QPixmap SymbolIcons::pixmap(const std::string& symbolName, QSize size, const QColor& color,
                            qreal devicePixelRatio) {
    QString path = resourcePath(symbolName);
    if (path.isEmpty() || size.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The icons paint in "currentColor", which the SVG renderer does not
    // resolve; naming the colour in the document is what a browser would do.
    QByteArray svg = file.readAll();
    svg.replace("currentColor", color.name(QColor::HexRgb).toLatin1());
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};

    QSize pixels(int(std::lround(size.width() * devicePixelRatio)),
                 int(std::lround(size.height() * devicePixelRatio)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setOpacity(color.alphaF());
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}

QIcon SymbolIcons::icon(const std::string& symbolName, const QColor& color) {
    if (resourcePath(symbolName).isEmpty())
        return {};
    QIcon icon;
    for (int side : {16, 18, 24, 32, 48}) {
        for (qreal ratio : {1.0, 2.0})
            icon.addPixmap(pixmap(symbolName, QSize(side, side), color, ratio));
    }
    return icon;
}

} // namespace corvel
