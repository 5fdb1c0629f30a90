#pragma once

#include "platform/PlatformValue.h"

#include <cstdint>
#include <optional>

namespace corvel::platform {

/// The window server's list of windows. Thread-safe.
class WindowList {
  public:
    /// List option: every window, on and off screen.
    static constexpr std::uint32_t optionAll = 0;
    /// "No window" as the relative window of a read.
    static constexpr std::uint32_t nullWindowID = 0;
    /// The layer of status item windows.
    static constexpr std::int64_t statusItemLayer = 25;
    /// The layer of pop-up menu windows.
    static constexpr std::int64_t popUpMenuLayer = 101;

    virtual ~WindowList() = default;

    /// One read of the list, front to back: an array of dictionaries keyed by
    /// WindowInfoKey, or nothing when the window server does not answer. The
    /// shape is not guaranteed; readers check every key and type.
    virtual std::optional<PlatformValue> copyWindowInfo(std::uint32_t option,
                                                        std::uint32_t relativeToWindow) const = 0;
};

} // namespace corvel::platform
