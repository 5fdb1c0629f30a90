#include "app/ImageRenderer.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace corvel::app {

namespace {

QImage transparent(QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Keeps the alpha of `image` and paints every pixel in `color`.
QImage tinted(QImage image, QColor color) {
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

} // namespace

QImage ImageRenderer::render(const platform::Image& image, double pixelsPerPoint,
                             QColor templateColor) const {
    const QSize pixels(
        std::max(1, static_cast<int>(std::lround(image.size().width * pixelsPerPoint))),
        std::max(1, static_cast<int>(std::lround(image.size().height * pixelsPerPoint))));
    switch (image.kind()) {
    case platform::Image::Kind::symbol:
        return renderSymbol(image, pixels, templateColor);
    case platform::Image::Kind::png:
        return renderPng(image, pixels, image.isTemplate() ? templateColor : QColor());
    case platform::Image::Kind::drawing:
        return renderDrawing(image, pixels, pixelsPerPoint, templateColor);
    }
    return transparent(pixels);
}

QImage ImageRenderer::renderSymbol(const platform::Image& image, QSize pixels, QColor color) const {
    if (symbols_) {
        QImage drawn = symbols_(image.symbolName(), pixels, color);
        if (!drawn.isNull())
            return drawn;
    }
    // No artwork: a plain rounded mark keeps the item visible and clickable.
    QImage fallback = transparent(pixels);
    QPainter painter(&fallback);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, std::max(1.0, pixels.width() / 12.0)));
    const QRectF box = QRectF(fallback.rect()).adjusted(2, 2, -2, -2);
    painter.drawRoundedRect(box, box.width() / 4, box.height() / 4);
    return fallback;
}

QImage ImageRenderer::renderPng(const platform::Image& image, QSize pixels, QColor templateColor) {
    QImage decoded;
    const auto& bytes = image.pngBytes();
    if (!decoded.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG"))
        return transparent(pixels);
    decoded = decoded.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return templateColor.isValid() ? tinted(decoded, templateColor) : decoded;
}

QImage ImageRenderer::renderDrawing(const platform::Image& image, QSize pixels,
                                    double pixelsPerPoint, QColor color) {
    QImage drawn = transparent(pixels);
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::Antialiasing);
    // The shapes count from the bottom left, y upwards, as the platform draws.
    painter.translate(0, pixels.height());
    painter.scale(pixelsPerPoint, -pixelsPerPoint);
    const QColor ink = image.isTemplate() ? color : QColor(Qt::black);
    for (const auto& shape : image.shapes()) {
        const QRectF rect(shape.rect.origin.x, shape.rect.origin.y, shape.rect.size.width,
                          shape.rect.size.height);
        QPainterPath path;
        if (shape.kind == platform::ImageShape::Kind::oval)
            path.addEllipse(rect);
        else
            path.addRoundedRect(rect, shape.cornerRadius, shape.cornerRadius);
        if (shape.paint == platform::ImageShape::Paint::fill)
            painter.fillPath(path, ink);
        else
            painter.strokePath(path, QPen(ink, shape.lineWidth));
    }
    return drawn;
}

} // namespace corvel::app
