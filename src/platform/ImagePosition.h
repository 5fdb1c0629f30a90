#pragma once

namespace corvel::platform {

/// Where a button shows its image relative to its title, with the
/// platform's values.
enum class ImagePosition : int {
    noImage = 0,
    imageOnly = 1,
    imageLeft = 2,
    imageRight = 3,
    imageBelow = 4,
    imageAbove = 5,
    imageOverlaps = 6,
    imageLeading = 7,
    imageTrailing = 8,
};

} // namespace corvel::platform
