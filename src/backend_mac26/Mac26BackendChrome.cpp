// Placing Corvel's own icons beside the spacer.
#include "backend/BackendError.h"
#include "backend_mac26/Mac26Backend.h"

namespace corvel {

async::Task<std::vector<BackendItemToken>>
Mac26Backend::placeOwnChrome(std::vector<OwnChromeIcon>) {
    throw BackendError::underlying("placeOwnChrome() is not available yet");
    co_return std::vector<BackendItemToken>{};
}

} // namespace corvel
