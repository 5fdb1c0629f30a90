#pragma once

#include <functional>

namespace corvel {

class GhostRecoveryCoordinator;

/// Asks the person whether the process hosting the menu bar may be restarted.
/// Held weakly by the coordinator; called on the main thread.
class GhostRecoveryCoordinatorDelegate {
  public:
    virtual ~GhostRecoveryCoordinatorDelegate() = default;

    /// Call `didRequireHostRestartConfirmation` exactly once, now or later on
    /// the main thread: true to restart, false to decline. Dropping it
    /// uncalled counts as declining.
    virtual void
    ghostRecoveryCoordinator(GhostRecoveryCoordinator& coordinator,
                             std::function<void(bool)> didRequireHostRestartConfirmation) = 0;
};

} // namespace corvel
