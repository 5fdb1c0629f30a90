#include "engine/HotKeyRefusal.h"

namespace corvel {

HotKeyRefusal HotKeyRefusal::takenBySystem() {
    return {Kind::takenBySystem, platform::HotKeyStatus::noErr};
}

HotKeyRefusal HotKeyRefusal::takenByApplication(OSStatus status) {
    return {Kind::takenByApplication, status};
}

HotKeyRefusal HotKeyRefusal::notAllowed(OSStatus status) {
    return {Kind::notAllowed, status};
}

HotKeyRefusal HotKeyRefusal::inUseByCorvel() {
    return {Kind::inUseByCorvel, platform::HotKeyStatus::noErr};
}

std::string HotKeyRefusal::text() const {
    std::string reason;
    switch (kind_) {
    case Kind::takenBySystem:
        reason = "macOS uses it";
        break;
    case Kind::takenByApplication:
        reason = "another application uses it";
        break;
    case Kind::notAllowed:
        reason = "macOS does not allow it";
        break;
    case Kind::inUseByCorvel:
        reason = "another of Corvel's shortcuts uses it";
        break;
    }
    if (status_ != platform::HotKeyStatus::noErr)
        reason += " (OSStatus " + std::to_string(status_) + ")";
    return reason;
}

} // namespace corvel
