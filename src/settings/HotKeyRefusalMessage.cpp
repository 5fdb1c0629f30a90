#include "settings/HotKeyRefusalMessage.h"

namespace corvel {

std::string hotKeyRefusalMessage(const HotKeyRefusal& refusal) {
    switch (refusal.kind()) {
    case HotKeyRefusal::Kind::takenBySystem:
        return "macOS uses this shortcut.";
    case HotKeyRefusal::Kind::takenByApplication:
        return "Another application uses this shortcut.";
    case HotKeyRefusal::Kind::notAllowed:
        return "macOS doesn't allow this shortcut.";
    case HotKeyRefusal::Kind::inUseByCorvel:
        return "Corvel uses this shortcut for something else.";
    }
    return {};
}

} // namespace corvel
