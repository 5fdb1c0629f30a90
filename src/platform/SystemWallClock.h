#pragma once

#include "platform/WallClock.h"

namespace corvel::platform {

/// The machine's own calendar clock.
class SystemWallClock final : public WallClock {
  public:
    std::chrono::system_clock::time_point now() const override;
};

} // namespace corvel::platform
