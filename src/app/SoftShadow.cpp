#include "app/SoftShadow.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace corvel::app {

namespace {

// Three passes of a box blur come close to a Gaussian at a fraction of its
// cost, which matters for window-sized shadows.
constexpr int blurPasses = 3;

// One row or column of an 8-bit plane, `count` values `stride` apart,
// averaged over a window of 2 * radius + 1; outside the plane is clear.
void boxBlurLine(std::uint8_t* values, int count, int stride, int radius,
                 std::vector<std::uint8_t>& scratch) {
    scratch.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        scratch[static_cast<std::size_t>(i)] = values[static_cast<std::ptrdiff_t>(i) * stride];
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i < std::min(radius, count); ++i)
        sum += scratch[static_cast<std::size_t>(i)];
    for (int i = 0; i < count; ++i) {
        if (const int entering = i + radius; entering < count)
            sum += scratch[static_cast<std::size_t>(entering)];
        if (const int leaving = i - radius - 1; leaving >= 0)
            sum -= scratch[static_cast<std::size_t>(leaving)];
        values[static_cast<std::ptrdiff_t>(i) * stride] =
            static_cast<std::uint8_t>((sum + window / 2) / window);
    }
}

void boxBlur(QImage& plane, int radius) {
    std::vector<std::uint8_t> scratch;
    const int stride = static_cast<int>(plane.bytesPerLine());
    for (int y = 0; y < plane.height(); ++y)
        boxBlurLine(plane.scanLine(y), plane.width(), 1, radius, scratch);
    for (int x = 0; x < plane.width(); ++x)
        boxBlurLine(plane.bits() + x, plane.height(), stride, radius, scratch);
}

} // namespace

QImage SoftShadow::silhouette(const QSizeF& shapePixels, double cornerRadiusPixels, int margin,
                              int blurPixels, int alpha) {
    const QSize size(static_cast<int>(std::ceil(shapePixels.width())) + 2 * margin,
                     static_cast<int>(std::ceil(shapePixels.height())) + 2 * margin);
    QImage plane(size, QImage::Format_Alpha8);
    if (plane.isNull())
        return plane;
    plane.fill(0);
    {
        QPainter painter(&plane);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, std::clamp(alpha, 0, 255)));
        painter.drawRoundedRect(QRectF(QPointF(margin, margin), shapePixels), cornerRadiusPixels,
                                cornerRadiusPixels);
    }
    const int radius = std::max(1, blurPixels / (2 * blurPasses));
    for (int pass = 0; pass < blurPasses; ++pass)
        boxBlur(plane, radius);
    return plane;
}

void SoftShadow::paint(QPainter& painter, const QRectF& shape, double cornerRadius,
                       double pixelsPerPoint) const {
    const int blurPixels = static_cast<int>(std::lround(blur * pixelsPerPoint));
    const QImage shadow = silhouette(shape.size() * pixelsPerPoint, cornerRadius * pixelsPerPoint,
                                     blurPixels, blurPixels, alpha);
    if (shadow.isNull())
        return;
    const QRectF target(shape.topLeft() + QPointF(-blur, drop - blur),
                        QSizeF(shadow.size()) / pixelsPerPoint);
    painter.drawImage(target, shadow);
}

} // namespace corvel::app
