#pragma once

#include "backend/ItemFrame.h"
#include "platform/Point.h"

#include <optional>

namespace corvel {

/// Where the Strip panel goes under its icon. Pure.
struct StripPlacement {
    /// Gap between the icon's bottom edge and the panel's top edge.
    static constexpr double gapBelowIcon = 4;

    /// The panel's frame origin in the window system's bottom-left screen
    /// coordinates (y growing upwards): left edge on the icon's left edge, top
    /// edge `gapBelowIcon` under the icon. `anchor` is in the window server's
    /// top-left coordinates, as the backend reports frames. None without an
    /// anchor or a main screen: the panel is then centred.
    static std::optional<platform::Point> frameOrigin(const std::optional<ItemFrame>& anchor,
                                                      std::optional<double> mainScreenHeight,
                                                      double panelHeight);
};

} // namespace corvel
