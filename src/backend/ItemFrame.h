#pragma once

#include <cstddef>
#include <functional>

namespace corvel {

/// A rectangle on screen in points, in the window server's convention: origin
/// at the top left of the main display, y growing downward. Items pushed into
/// the hidden region have a negative x. Compared exactly, field by field.
struct ItemFrame {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    friend bool operator==(const ItemFrame&, const ItemFrame&) = default;
};

} // namespace corvel

template <> struct std::hash<corvel::ItemFrame> {
    std::size_t operator()(const corvel::ItemFrame& frame) const noexcept;
};
