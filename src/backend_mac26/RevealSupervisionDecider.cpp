#include "backend_mac26/RevealSupervisionDecider.h"

namespace corvel {

RevealSupervisionDecider::Step RevealSupervisionDecider::observe(bool menuWindowPresent,
                                                                 bool deadlinePassed) {
    if (menuWindowPresent) {
        confirmedOpen = true;
        return Step::keepPolling;
    }
    if (confirmedOpen)
        return Step::concludeClosedAfterConfirmedOpen;
    if (deadlinePassed)
        return Step::forceRecovery;
    return Step::keepPolling;
}

} // namespace corvel
