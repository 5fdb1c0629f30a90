// Finding leftover own items and clearing them.
#include "backend/BackendError.h"
#include "backend_mac26/Mac26Backend.h"

namespace corvel {

async::Task<GhostRecoveryOutcome> Mac26Backend::recoverFromGhosts() {
    throw BackendError::underlying("recoverFromGhosts() is not available yet");
    co_return GhostRecoveryOutcome::clean();
}

} // namespace corvel
