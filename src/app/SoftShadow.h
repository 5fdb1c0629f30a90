#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

namespace corvel::app {

/// The shadow the window system casts under a window or a menu: the shape's
/// silhouette, dropped a little and blurred so that it fades out gradually
/// rather than ending at an edge. Main thread only (it paints).
struct SoftShadow {
    /// How far it fades out, in points.
    double blur = 12;
    /// How far below the shape it falls, in points.
    double drop = 6;
    /// Its darkness where it is darkest, 0 to 255.
    int alpha = 70;

    /// Paints the shadow of a rounded rectangle (`shape` in the painter's
    /// points), rasterised at `pixelsPerPoint`.
    void paint(QPainter& painter, const QRectF& shape, double cornerRadius,
               double pixelsPerPoint) const;

    /// The shadow alone in an image of its own, `margin` pixels around the
    /// shape's `shapePixels` on every side, as black of varying alpha; the
    /// blur spreads over `blurPixels`.
    static QImage silhouette(const QSizeF& shapePixels, double cornerRadiusPixels, int margin,
                             int blurPixels, int alpha);
};

} // namespace corvel::app
