#pragma once

#include "platform/Point.h"
#include "platform/Rect.h"

namespace corvel::mac {

/// Between AppKit's screen coordinates (origin at the bottom left of the
/// menu bar screen, y growing upwards) and the ports' (origin at its top
/// left, y growing downwards, as the window server counts). Both count in
/// points from the same corner column, so only y changes; the menu bar
/// screen is the first of AppKit's screens, whose height is the one that
/// counts, whichever screen holds the point. Each conversion is its own
/// inverse.
struct AppKitCoordinates {
    /// `menuBarScreenHeight` is the height of `NSScreen.screens[0]`.
    static platform::Point flipped(platform::Point point, double menuBarScreenHeight) {
        return {point.x, menuBarScreenHeight - point.y};
    }
    /// A rectangle's origin is its bottom-left corner in AppKit and its
    /// top-left corner in the ports; its size stays as it is.
    static platform::Rect flipped(const platform::Rect& rect, double menuBarScreenHeight) {
        return {{rect.origin.x, menuBarScreenHeight - rect.origin.y - rect.size.height}, rect.size};
    }
};

} // namespace corvel::mac
