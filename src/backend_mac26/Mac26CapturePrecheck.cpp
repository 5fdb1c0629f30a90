#include "backend_mac26/Mac26CapturePrecheck.h"

namespace corvel {

Mac26CapturePrecheck::Decision Mac26CapturePrecheck::decide(bool itemCurrentlyObserved,
                                                            bool isInHiddenRegion,
                                                            bool screenRecordingGranted) {
    if (!itemCurrentlyObserved || isInHiddenRegion)
        return Decision::unavailable(CaptureUnavailableReason::notCurrentlyOnScreen);
    if (!screenRecordingGranted)
        return Decision::unavailable(CaptureUnavailableReason::screenRecordingNotGranted);
    return Decision::proceed();
}

} // namespace corvel
