#pragma once

#include <optional>
#include <string>

namespace corvel::platform {

/// Whether this application opens when the person logs in: its login item.
/// The person may also change it in the system's own settings, so callers
/// read the status afresh rather than remember it. Main thread only.
class LaunchAtLogin {
  public:
    /// The login item's status, with the platform's values.
    enum class Status : int {
        notRegistered = 0,
        enabled = 1,
        /// Registered, waiting for the person to allow it in the system's
        /// settings.
        requiresApproval = 2,
        /// The platform cannot find this application's login item.
        notFound = 3,
    };

    virtual ~LaunchAtLogin() = default;

    virtual Status status() const = 0;
    /// Registers (or unregisters) the login item. Nothing when the platform
    /// did it; otherwise its reason, in its words.
    virtual std::optional<std::string> setEnabled(bool enabled) = 0;
};

} // namespace corvel::platform
