#pragma once

namespace corvel::platform {

/// A width and height in points (or pixels where a port says so).
struct Size {
    double width = 0;
    double height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

} // namespace corvel::platform
