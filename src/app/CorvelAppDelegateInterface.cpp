#include "app/CorvelAppDelegate.h"

// The interface wiring arrives with the interface modules; until then the
// launch runs headless after preparing the backend.

namespace corvel::app {

bool CorvelAppDelegate::interfaceBuilt() const {
    return false;
}

void CorvelAppDelegate::buildInterface(const std::shared_ptr<ItemAssignmentCoordinator>&,
                                       const std::shared_ptr<GhostRecoveryCoordinator>&) {}

async::Task<void> CorvelAppDelegate::startInterface() {
    co_return;
}

void CorvelAppDelegate::openOnboardingIfNeeded() {}

} // namespace corvel::app
