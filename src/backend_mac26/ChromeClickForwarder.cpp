#include "backend_mac26/ChromeClickForwarder.h"

namespace corvel {

void ChromeClickForwarder::handleClick(const std::string& senderIdentifier) {
    const auto handle = Uuid::parse(senderIdentifier);
    if (!handle || !onClick)
        return;
    // A copy, so the handler survives even if it destroys this forwarder.
    const Handler handler = onClick;
    handler(*handle);
}

platform::StatusBarButton::Action ChromeClickForwarder::buttonAction() {
    return [forwarder = weak_from_this()](const std::string& senderIdentifier) {
        if (auto alive = forwarder.lock())
            alive->handleClick(senderIdentifier);
    };
}

} // namespace corvel
