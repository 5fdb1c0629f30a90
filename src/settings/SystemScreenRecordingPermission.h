#pragma once

#include "platform/ScreenCapture.h"
#include "settings/ScreenRecordingPermissionChecking.h"

#include <memory>

namespace corvel {

/// The platform's Screen Recording permission, read and requested through the
/// screen-capture port. Holds no state of its own: every answer is the
/// platform's answer of the moment.
class SystemScreenRecordingPermission final : public ScreenRecordingPermissionChecking {
  public:
    explicit SystemScreenRecordingPermission(
        std::shared_ptr<platform::ScreenCapture> screenCapture);

    bool isGranted() const override;
    bool requestAccess() override;

  private:
    std::shared_ptr<platform::ScreenCapture> screenCapture_;
};

} // namespace corvel
