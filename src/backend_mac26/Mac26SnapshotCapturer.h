#pragma once

#include "async/Task.h"
#include "backend/CaptureResult.h"
#include "platform/CaptureConfiguration.h"
#include "platform/Rect.h"
#include "platform/ScreenCapture.h"
#include "platform/WallClock.h"

#include <cstdint>
#include <memory>

namespace corvel {

/// A single-window picture of a menu bar item at twice its point size,
/// encoded as PNG. Never throws: every failure is an unavailable result.
/// Resumes its caller on the caller's executor.
class Mac26SnapshotCapturer {
  public:
    static constexpr std::uint32_t pixelScale = 2;

    struct Ports {
        std::shared_ptr<platform::ScreenCapture> screenCapture;
        std::shared_ptr<const platform::WallClock> wallClock;
    };

    static async::Task<CaptureResult> capture(Ports ports, std::uint32_t windowID,
                                              platform::Rect frame);

    /// Twice the integer part of each side, each side at least one point, so
    /// that a sliver of an item still gives a picture. No cursor; the
    /// window's own clipping by the menu bar is ignored.
    static platform::CaptureConfiguration configuration(std::uint32_t windowID,
                                                        platform::Rect frame);
};

} // namespace corvel
