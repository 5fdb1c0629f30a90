#pragma once

#include "platform/Point.h"
#include "platform/Rect.h"
#include "platform/Size.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>

namespace corvel::app {

/// Where the simulated display sits on the real screen: its top-left corner
/// at `origin` (real, global pixels) and every simulated point `scale` real
/// pixels wide. The scale is 1 whenever the simulated display fits, so
/// Corvel's panels keep their true sizes; a smaller real screen shrinks the
/// picture of the desktop rather than cutting it off.
struct ScreenMapping {
    QPointF origin;
    double scale = 1;

    /// The largest scale up to 1 at which `simulated` fits into `available`,
    /// from its top-left corner, where a real menu bar would be.
    static ScreenMapping fit(platform::Size simulated, const QRect& available);

    QPointF toReal(platform::Point point) const;
    QRectF toReal(const platform::Rect& rect) const;
    platform::Point toSimulated(const QPointF& real) const;
    platform::Rect toSimulated(const QRectF& real) const;
    /// Where a window of `size` whose frame origin is `bottomLeftOrigin` in
    /// the window system's bottom-left coordinates (as the Strip is placed)
    /// puts its top-left corner on the real screen.
    QPoint topLeftOf(platform::Point bottomLeftOrigin, const QSize& size,
                     double simulatedScreenHeight) const;

    friend bool operator==(const ScreenMapping&, const ScreenMapping&) = default;
};

} // namespace corvel::app
