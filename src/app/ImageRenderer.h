#pragma once

#include "platform/Image.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <functional>
#include <string>

namespace corvel::app {

/// Turns the toolkit-neutral pictures of status items into Qt images.
/// Main thread only (Qt's painting).
class ImageRenderer {
  public:
    /// Draws a system symbol by name at a pixel size, in a colour; a null
    /// image when it has no artwork for the name.
    using SymbolArtwork = std::function<QImage(const std::string& name, QSize pixels, QColor)>;

    ImageRenderer() = default;
    explicit ImageRenderer(SymbolArtwork symbols) : symbols_(std::move(symbols)) {}

    /// `image` at `pixelsPerPoint`; a template image, and any symbol, is
    /// drawn in `templateColor`, as the menu bar recolours it.
    QImage render(const platform::Image& image, double pixelsPerPoint, QColor templateColor) const;

  private:
    QImage renderSymbol(const platform::Image& image, QSize pixels, QColor color) const;
    static QImage renderDrawing(const platform::Image& image, QSize pixels, double pixelsPerPoint,
                                QColor color);
    static QImage renderPng(const platform::Image& image, QSize pixels, QColor templateColor);

    SymbolArtwork symbols_;
};

} // namespace corvel::app
