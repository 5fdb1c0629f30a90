#pragma once

#include "platform/Rect.h"

#include <vector>

namespace corvel::sim {

/// Lays the status bar out as macOS does: from the right edge of the screen
/// leftwards, in the bar's order, without gaps. An item wider than the room
/// left of it pushes everything further left to negative x.
class StatusBarLayout {
  public:
    /// `widths` left to right; answers one frame per width, in that order.
    static std::vector<platform::Rect> frames(const std::vector<double>& widths, double screenWidth,
                                              double rightInset, double barHeight);
};

} // namespace corvel::sim
