#pragma once

#include <string_view>

namespace corvel::platform {

/// Keys of one window's dictionary in the window list, and of its bounds.
struct WindowInfoKey {
    static constexpr std::string_view layer = "kCGWindowLayer";
    static constexpr std::string_view number = "kCGWindowNumber";
    static constexpr std::string_view ownerPID = "kCGWindowOwnerPID";
    static constexpr std::string_view ownerName = "kCGWindowOwnerName";
    static constexpr std::string_view name = "kCGWindowName";
    static constexpr std::string_view bounds = "kCGWindowBounds";
    static constexpr std::string_view isOnscreen = "kCGWindowIsOnscreen";
    static constexpr std::string_view alpha = "kCGWindowAlpha";

    static constexpr std::string_view boundsX = "X";
    static constexpr std::string_view boundsY = "Y";
    static constexpr std::string_view boundsWidth = "Width";
    static constexpr std::string_view boundsHeight = "Height";
};

} // namespace corvel::platform
