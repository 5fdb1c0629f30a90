// Pictures of single items.
#include "backend/BackendError.h"
#include "backend_mac26/Mac26Backend.h"

namespace corvel {

async::Task<CaptureResult> Mac26Backend::captureSnapshot(ObservedItem) {
    throw BackendError::underlying("captureSnapshot() is not available yet");
    co_return CaptureResult::unavailable(CaptureUnavailableReason::systemCaptureFailure);
}

} // namespace corvel
