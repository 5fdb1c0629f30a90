#pragma once

#include "platform/Rect.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvel {

/// One window of a window-list reading, after the reading rules have dropped
/// or defaulted what the list left out.
struct MenuBarWindowInfo {
    std::uint32_t windowID = 0;
    /// -1 when the list gives no owner.
    std::int32_t ownerPID = -1;
    /// Empty when the list gives no name (other applications' windows without
    /// Screen Recording).
    std::string name;
    /// Absent unless the list gives all four numbers.
    std::optional<platform::Rect> bounds;

    friend bool operator==(const MenuBarWindowInfo&, const MenuBarWindowInfo&) = default;
};

} // namespace corvel
