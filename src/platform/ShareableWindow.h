#pragma once

#include "platform/Rect.h"

#include <cstdint>
#include <string>

namespace corvel::platform {

/// A window that screen capture may record.
struct ShareableWindow {
    std::uint32_t windowID = 0;
    Rect frame;
    std::int32_t owningProcessID = 0;
    std::string title;
    bool isOnScreen = true;

    friend bool operator==(const ShareableWindow&, const ShareableWindow&) = default;
};

} // namespace corvel::platform
