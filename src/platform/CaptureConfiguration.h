#pragma once

#include <cstdint>

namespace corvel::platform {

/// What one capture records: a single window, independent of the desktop,
/// at a size in pixels.
struct CaptureConfiguration {
    std::uint32_t desktopIndependentWindowID = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool showsCursor = true;
    bool ignoreGlobalClipSingleWindow = false;

    friend bool operator==(const CaptureConfiguration&, const CaptureConfiguration&) = default;
};

} // namespace corvel::platform
