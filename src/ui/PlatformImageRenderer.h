#pragma once

#include "platform/Image.h"

#include <QColor>
#include <QPixmap>

namespace corvel {

/// Draws the ports' toolkit-neutral images with Qt: symbols from the
/// vendored icons, PNG bytes decoded, shape drawings painted. Main thread
/// only.
class PlatformImageRenderer {
  public:
    /// The image at its own size in points, sharp at `devicePixelRatio`. A
    /// template image, a symbol or a drawing is painted in `tint` (only the
    /// alpha of a template counts); a PNG that is not a template keeps its
    /// colours. A null pixmap when the bytes do not decode or the symbol is
    /// unknown.
    static QPixmap pixmap(const platform::Image& image, const QColor& tint,
                          qreal devicePixelRatio = 1.0);

    /// `source` scaled to fill `pointSize` and recoloured in `tint`, keeping
    /// only its alpha, as the menu bar draws a template image.
    static QPixmap templatePixmap(const QImage& source, QSizeF pointSize, const QColor& tint,
                                  qreal devicePixelRatio = 1.0);
};

} // namespace corvel
