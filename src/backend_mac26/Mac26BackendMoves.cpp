// Moving items into and out of the hidden region.
#include "backend/BackendError.h"
#include "backend_mac26/Mac26Backend.h"

namespace corvel {

async::Task<void> Mac26Backend::moveIntoHiddenRegion(ObservedItem) {
    throw BackendError::underlying("moveIntoHiddenRegion() is not available yet");
    co_return;
}

async::Task<void> Mac26Backend::moveOutOfHiddenRegion(ObservedItem) {
    throw BackendError::underlying("moveOutOfHiddenRegion() is not available yet");
    co_return;
}

} // namespace corvel
