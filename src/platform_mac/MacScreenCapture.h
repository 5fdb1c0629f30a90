#pragma once

#include "async/Executor.h"
#include "platform/ScreenCapture.h"
#include "platform_mac/ExecutorMailbox.h"
#include "platform_mac/FirstUseLog.h"

#include <memory>

namespace corvel::mac {

/// The Screen Recording permission (CoreGraphics) and single-window
/// captures (ScreenCaptureKit). Thread-safe. ScreenCaptureKit answers on a
/// queue of its own: each answer is read there (pixels are converted off
/// the main thread) and handed to `mainExecutor`, where the waiting task
/// resumes.
class MacScreenCapture final : public platform::ScreenCapture {
  public:
    MacScreenCapture(async::Executor& mainExecutor, std::shared_ptr<FirstUseLog> notes);
    ~MacScreenCapture() override;

    bool preflightAccess() const override;
    bool requestAccess() override;
    async::Task<std::optional<std::vector<platform::ShareableWindow>>> shareableWindows() override;
    async::Task<std::optional<platform::CapturedImage>>
    captureImage(platform::CaptureConfiguration configuration) override;
    std::optional<std::vector<std::uint8_t>>
    pngRepresentation(const platform::CapturedImage& image) override;

  private:
    std::shared_ptr<ExecutorMailbox> mainThread_;
    std::shared_ptr<FirstUseLog> notes_;
};

} // namespace corvel::mac
