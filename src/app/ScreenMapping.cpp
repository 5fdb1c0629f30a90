#include "app/ScreenMapping.h"

#include <algorithm>

namespace corvel::app {

ScreenMapping ScreenMapping::fit(platform::Size simulated, const QRect& available) {
    if (simulated.width <= 0 || simulated.height <= 0 || available.isEmpty())
        return {QPointF(available.topLeft()), 1};
    const double scale =
        std::min({1.0, available.width() / simulated.width, available.height() / simulated.height});
    return {QPointF(available.topLeft()), scale};
}

QPointF ScreenMapping::toReal(platform::Point point) const {
    return origin + QPointF(point.x, point.y) * scale;
}

QRectF ScreenMapping::toReal(const platform::Rect& rect) const {
    return {toReal(rect.origin), QSizeF(rect.size.width, rect.size.height) * scale};
}

platform::Point ScreenMapping::toSimulated(const QPointF& real) const {
    const QPointF local = (real - origin) / scale;
    return {local.x(), local.y()};
}

platform::Rect ScreenMapping::toSimulated(const QRectF& real) const {
    return {toSimulated(real.topLeft()), {real.width() / scale, real.height() / scale}};
}

QPoint ScreenMapping::topLeftOf(platform::Point bottomLeftOrigin, const QSize& size,
                                double simulatedScreenHeight) const {
    const platform::Point topLeft{bottomLeftOrigin.x,
                                  simulatedScreenHeight - bottomLeftOrigin.y - size.height()};
    return toReal(topLeft).toPoint();
}

} // namespace corvel::app
