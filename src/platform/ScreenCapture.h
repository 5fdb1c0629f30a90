#pragma once

#include "async/Task.h"
#include "platform/CaptureConfiguration.h"
#include "platform/CapturedImage.h"
#include "platform/ShareableWindow.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace corvel::platform {

/// The Screen Recording permission and single-window captures. Thread-safe;
/// the asynchronous operations resume their caller on its own executor and
/// answer nothing when the platform fails.
class ScreenCapture {
  public:
    virtual ~ScreenCapture() = default;

    /// Whether Screen Recording is granted; never asks the person.
    virtual bool preflightAccess() const = 0;
    /// Asks for Screen Recording (the platform may show its request) and
    /// answers whether it is granted now.
    virtual bool requestAccess() = 0;

    virtual async::Task<std::optional<std::vector<ShareableWindow>>> shareableWindows() = 0;
    virtual async::Task<std::optional<CapturedImage>>
    captureImage(CaptureConfiguration configuration) = 0;
    /// PNG bytes of the image, written with no extra properties.
    virtual std::optional<std::vector<std::uint8_t>>
    pngRepresentation(const CapturedImage& image) = 0;
};

} // namespace corvel::platform
