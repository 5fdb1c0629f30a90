#pragma once

#include "platform/Point.h"
#include "platform/Size.h"

namespace corvel::platform {

/// A rectangle in screen coordinates. The window server may report negative
/// sizes; readers take magnitudes where they need them.
struct Rect {
    Point origin;
    Size size;

    double minX() const { return origin.x; }
    double maxX() const { return origin.x + size.width; }
    double midX() const { return origin.x + size.width / 2; }
    double minY() const { return origin.y; }
    double maxY() const { return origin.y + size.height; }
    bool contains(Point p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace corvel::platform
