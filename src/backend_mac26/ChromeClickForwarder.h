#pragma once

#include "domain/Uuid.h"
#include "platform/StatusBarButton.h"

#include <functional>
#include <memory>
#include <string>

namespace corvel {

/// Receives clicks on the own icons' buttons and hands on the icon's handle.
/// Main thread only.
class ChromeClickForwarder : public std::enable_shared_from_this<ChromeClickForwarder> {
  public:
    using Handler = std::function<void(const Uuid& handle)>;

    /// Set by the backend at construction and cleared when it goes away.
    Handler onClick;

    /// The action of every icon button: the sender's identifier parsed as a
    /// UUID; an identifier that is not one does nothing. onClick may destroy
    /// the backend (and with it this forwarder): nothing is touched after it.
    void handleClick(const std::string& senderIdentifier);

    /// An action for a button that reaches this forwarder while it lives and
    /// does nothing after, since the platform may deliver a click late.
    platform::StatusBarButton::Action buttonAction();
};

} // namespace corvel
