#include "ui/StripPlacement.h"

namespace corvel {

std::optional<platform::Point> StripPlacement::frameOrigin(const std::optional<ItemFrame>& anchor,
                                                           std::optional<double> mainScreenHeight,
                                                           double panelHeight) {
    if (!anchor || !mainScreenHeight)
        return std::nullopt;
    double anchorBottom = *mainScreenHeight - anchor->y - anchor->height;
    return platform::Point{anchor->x, anchorBottom - panelHeight - gapBelowIcon};
}

} // namespace corvel
