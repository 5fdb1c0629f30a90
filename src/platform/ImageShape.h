#pragma once

#include "platform/Rect.h"

namespace corvel::platform {

/// One shape of a drawn image, in the image's own coordinates (points,
/// origin at the bottom left, y growing upwards, as the platform draws).
/// Painted in the image's single colour: black, which a template image
/// lets the menu bar recolour.
struct ImageShape {
    enum class Kind { roundedRect, oval };
    enum class Paint { fill, stroke };

    Kind kind = Kind::roundedRect;
    Rect rect;
    /// Corner radius of a rounded rectangle; ignored for ovals.
    double cornerRadius = 0;
    Paint paint = Paint::fill;
    /// Line width of a stroked shape; ignored when filled.
    double lineWidth = 1;

    friend bool operator==(const ImageShape&, const ImageShape&) = default;
};

} // namespace corvel::platform
