#pragma once

#include "platform/HotKeyStatus.h"

#include <string>

namespace corvel {

/// Why a global shortcut could not be registered as a hot key.
class HotKeyRefusal {
  public:
    using OSStatus = platform::HotKeyStatus::OSStatus;

    enum class Kind {
        /// One of the system's own shortcuts; Corvel does not ask for it.
        takenBySystem,
        /// Another application holds it.
        takenByApplication,
        /// The platform does not allow the combination.
        notAllowed,
        /// Another of Corvel's own shortcuts has it.
        inUseByCorvel,
    };

    static HotKeyRefusal takenBySystem();
    /// `status`: what the platform answered, for the log.
    static HotKeyRefusal takenByApplication(OSStatus status);
    static HotKeyRefusal notAllowed(OSStatus status);
    static HotKeyRefusal inUseByCorvel();

    Kind kind() const { return kind_; }
    /// The platform's answer; noErr when Corvel refused before asking.
    OSStatus status() const { return status_; }
    /// For the log: "another application uses it (OSStatus -9878)".
    std::string text() const;

    friend bool operator==(const HotKeyRefusal&, const HotKeyRefusal&) = default;

  private:
    HotKeyRefusal(Kind kind, OSStatus status) : kind_(kind), status_(status) {}

    Kind kind_;
    OSStatus status_;
};

} // namespace corvel
