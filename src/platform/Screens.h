#pragma once

#include "platform/Rect.h"

#include <optional>

namespace corvel::platform {

/// The displays. Thread-safe.
class Screens {
  public:
    virtual ~Screens() = default;

    /// The main screen's frame in points (its origin is 0, 0), or nothing
    /// when there is no screen.
    virtual std::optional<Rect> mainScreenFrame() const = 0;
};

} // namespace corvel::platform
