#include "settings/SystemScreenRecordingPermission.h"

#include <stdexcept>
#include <utility>

namespace corvel {

SystemScreenRecordingPermission::SystemScreenRecordingPermission(
    std::shared_ptr<platform::ScreenCapture> screenCapture)
    : screenCapture_(std::move(screenCapture)) {
    if (!screenCapture_)
        throw std::invalid_argument("SystemScreenRecordingPermission needs a screen-capture port");
}

bool SystemScreenRecordingPermission::isGranted() const {
    return screenCapture_->preflightAccess();
}

bool SystemScreenRecordingPermission::requestAccess() {
    return screenCapture_->requestAccess();
}

} // namespace corvel
