#include "ui/PlatformImageRenderer.h"

#include "ui/SymbolIcons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace corvel {

namespace {

QSize pixelSize(QSizeF points, qreal devicePixelRatio) {
    return QSize(std::max(1, int(std::lround(points.width() * devicePixelRatio))),
                 std::max(1, int(std::lround(points.height() * devicePixelRatio))));
}

QImage blankImage(QSizeF points, qreal devicePixelRatio) {
    QImage image(pixelSize(points, devicePixelRatio), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// `source` drawn to fill `points`, ready to be shown at `devicePixelRatio`.
QImage scaled(const QImage& source, QSizeF points, qreal devicePixelRatio) {
    QImage canvas = blankImage(points, devicePixelRatio);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(canvas.size())), source);
    }
    canvas.setDevicePixelRatio(devicePixelRatio);
    return canvas;
}

// Shapes are given with the origin at the bottom left, as the platform draws.
QImage drawShapes(const platform::Image& image, const QColor& tint, qreal devicePixelRatio) {
    QSizeF points(image.size().width, image.size().height);
    QImage canvas = blankImage(points, devicePixelRatio);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(devicePixelRatio, devicePixelRatio);
    painter.translate(0, points.height());
    painter.scale(1, -1);
    for (const auto& shape : image.shapes()) {
        QRectF rect(shape.rect.origin.x, shape.rect.origin.y, shape.rect.size.width,
                    shape.rect.size.height);
        QPainterPath path;
        if (shape.kind == platform::ImageShape::Kind::oval)
            path.addEllipse(rect);
        else
            path.addRoundedRect(rect, shape.cornerRadius, shape.cornerRadius);
        if (shape.paint == platform::ImageShape::Paint::fill)
            painter.fillPath(path, tint);
        else
            painter.strokePath(path, QPen(tint, shape.lineWidth));
    }
    return canvas;
}

} // namespace

QPixmap PlatformImageRenderer::templatePixmap(const QImage& source, QSizeF pointSize,
                                              const QColor& tint, qreal devicePixelRatio) {
    QImage canvas = scaled(source, pointSize, devicePixelRatio);
    {
        QPainter painter(&canvas);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(canvas.rect(), tint);
    }
    return QPixmap::fromImage(canvas);
}

QPixmap PlatformImageRenderer::pixmap(const platform::Image& image, const QColor& tint,
                                      qreal devicePixelRatio) {
    QSizeF points(image.size().width, image.size().height);
    switch (image.kind()) {
    case platform::Image::Kind::symbol:
        return SymbolIcons::pixmap(image.symbolName(), points.toSize(), tint, devicePixelRatio);
    case platform::Image::Kind::png: {
        const auto& bytes = image.pngBytes();
        QImage decoded = QImage::fromData(bytes.data(), int(bytes.size()), "PNG");
        if (decoded.isNull())
            return {};
        if (image.isTemplate())
            return templatePixmap(decoded, points, tint, devicePixelRatio);
        return QPixmap::fromImage(scaled(decoded, points, devicePixelRatio));
    }
    case platform::Image::Kind::drawing: {
        QImage canvas = drawShapes(image, tint, devicePixelRatio);
        canvas.setDevicePixelRatio(devicePixelRatio);
        return QPixmap::fromImage(canvas);
    }
    }
    return {};
}

} // namespace corvel
