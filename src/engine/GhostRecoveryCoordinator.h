#pragma once

#include "async/Task.h"
#include "backend/GhostRecoveryOutcome.h"
#include "engine/GhostRecoveryCoordinatorDelegate.h"

#include <functional>
#include <memory>

namespace corvel {

class MenuBarBackend;

namespace platform {
class ProcessEnvironment;
}

/// Decides when clearing leftover own items may restart the process that
/// hosts the menu bar: at launch at once, on the person's repair command only
/// after the delegate has confirmed. Main thread only; keeps no state between
/// calls, so repairs may overlap. Its tasks resume the awaiter on the main
/// thread and cannot fail: every answer is an outcome. Always owned by a
/// std::shared_ptr: a running recovery keeps the coordinator alive until it
/// finishes.
class GhostRecoveryCoordinator : public std::enable_shared_from_this<GhostRecoveryCoordinator> {
  public:
    /// Runs a recovery in which the host restart is allowed. Called on the
    /// main thread, awaited there.
    using RestartAction = std::function<async::Task<GhostRecoveryOutcome>()>;

    /// With the application's restart: set the environment variable that
    /// allows the backend to restart the host (for the rest of the process),
    /// then recover again.
    static std::shared_ptr<GhostRecoveryCoordinator>
    create(std::shared_ptr<MenuBarBackend> backend,
           std::shared_ptr<platform::ProcessEnvironment> environment);
    static std::shared_ptr<GhostRecoveryCoordinator> create(std::shared_ptr<MenuBarBackend> backend,
                                                            RestartAction performConfirmedRestart);

    GhostRecoveryCoordinator(const GhostRecoveryCoordinator&) = delete;
    GhostRecoveryCoordinator& operator=(const GhostRecoveryCoordinator&) = delete;

    void setDelegate(std::weak_ptr<GhostRecoveryCoordinatorDelegate> delegate);

    /// Recovers, and restarts the host without asking when that is required.
    async::Task<GhostRecoveryOutcome> recoverAtLaunch();

    /// Recovers, and restarts the host only once the delegate has confirmed.
    /// No delegate, or a declined confirmation, answers requiresHostRestart.
    /// Stays suspended while the delegate holds its answer back.
    async::Task<GhostRecoveryOutcome> repairMenuBarRequested();

  private:
    GhostRecoveryCoordinator(std::shared_ptr<MenuBarBackend> backend,
                             RestartAction performConfirmedRestart);

    static async::Task<GhostRecoveryOutcome>
    launchRecovery(std::shared_ptr<GhostRecoveryCoordinator> self);
    static async::Task<GhostRecoveryOutcome> repair(std::shared_ptr<GhostRecoveryCoordinator> self);
    async::Task<bool> askForConfirmation();

    std::shared_ptr<MenuBarBackend> backend_;
    RestartAction performConfirmedRestart_;
    std::weak_ptr<GhostRecoveryCoordinatorDelegate> delegate_;
};

} // namespace corvel
