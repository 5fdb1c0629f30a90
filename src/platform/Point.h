#pragma once

namespace corvel::platform {

/// A point in screen coordinates (points, origin at the top left of the main
/// screen, y growing downwards), as the window server reports them.
struct Point {
    double x = 0;
    double y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

} // namespace corvel::platform
