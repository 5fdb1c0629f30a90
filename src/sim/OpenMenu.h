#pragma once

#include "platform/Rect.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvel::sim {

/// A pop-up menu on screen: a layer-101 window under its status item.
struct OpenMenu {
    /// Every menu is this wide.
    static constexpr double width = 220;
    /// Entries stand this far apart, the first this far below the top; the
    /// window is as much taller than its entries at the bottom.
    static constexpr double rowHeight = 22;
    static constexpr double topPadding = 5;
    static double height(std::size_t rows) {
        return 2 * topPadding + rowHeight * static_cast<double>(rows);
    }

    std::uint32_t windowNumber = 0;
    /// The status item it belongs to (its window number).
    std::uint32_t itemWindowNumber = 0;
    std::uint64_t itemId = 0;
    std::int32_t ownerPid = 0;
    platform::Rect frame;
    /// Entry titles top to bottom; separators are "-".
    std::vector<std::string> titles;
    /// The entry the arrow keys have highlighted; none until a key moves.
    std::optional<std::size_t> highlightedRow;

    friend bool operator==(const OpenMenu&, const OpenMenu&) = default;
};

} // namespace corvel::sim
