#include "backend_mac26/Mac26SnapshotCapturer.h"

#include <algorithm>
#include <cmath>

namespace corvel {

namespace {

std::uint32_t pixels(double points) {
    // Bounds may be reported with a negative size; the picture takes its
    // magnitude. Anything below one point (or not a number) counts as one.
    const double magnitude = std::fabs(points);
    const double whole = std::isfinite(magnitude) ? std::min(std::floor(magnitude), 1.0e6) : 1.0;
    return Mac26SnapshotCapturer::pixelScale *
           std::max<std::uint32_t>(static_cast<std::uint32_t>(whole), 1);
}

} // namespace

platform::CaptureConfiguration Mac26SnapshotCapturer::configuration(std::uint32_t windowID,
                                                                    platform::Rect frame) {
    platform::CaptureConfiguration configuration;
    configuration.desktopIndependentWindowID = windowID;
    configuration.width = pixels(frame.size.width);
    configuration.height = pixels(frame.size.height);
    configuration.showsCursor = false;
    configuration.ignoreGlobalClipSingleWindow = true;
    return configuration;
}

async::Task<CaptureResult> Mac26SnapshotCapturer::capture(Ports ports, std::uint32_t windowID,
                                                          platform::Rect frame) {
    auto listing = ports.screenCapture->shareableWindows();
    const auto shareable = co_await std::move(listing);
    if (!shareable)
        co_return CaptureResult::unavailable(CaptureUnavailableReason::systemCaptureFailure);
    const bool listed = std::any_of(shareable->begin(), shareable->end(), [&](const auto& window) {
        return window.windowID == windowID;
    });
    if (!listed)
        co_return CaptureResult::unavailable(CaptureUnavailableReason::notCurrentlyOnScreen);

    auto capturing = ports.screenCapture->captureImage(configuration(windowID, frame));
    const auto image = co_await std::move(capturing);
    if (!image)
        co_return CaptureResult::unavailable(CaptureUnavailableReason::systemCaptureFailure);
    auto png = ports.screenCapture->pngRepresentation(*image);
    if (!png)
        co_return CaptureResult::unavailable(CaptureUnavailableReason::systemCaptureFailure);
    co_return CaptureResult::captured(ItemSnapshot{ports.wallClock->now(), std::move(*png)});
}

} // namespace corvel
