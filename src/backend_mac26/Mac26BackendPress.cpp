// Pressing an item and supervising the reveal until its menu closes.
#include "backend/BackendError.h"
#include "backend_mac26/Mac26Backend.h"

namespace corvel {

async::Task<void> Mac26Backend::press(ObservedItem) {
    throw BackendError::underlying("press() is not available yet");
    co_return;
}

async::Task<ObservedItem> Mac26Backend::refreshedItem(BackendItemToken) {
    throw BackendError::underlying("refreshedItem() is not available yet");
    co_return ObservedItem{BackendItemToken(Uuid::random()), {}, false, std::nullopt};
}

} // namespace corvel
