// Moving items into and out of the hidden region.
#include "async/Hop.h"
#include "backend/BackendError.h"
#include "backend_mac26/Mac26Backend.h"
#include "backend_mac26/StampedItemMover.h"

namespace corvel {

async::Task<void> Mac26Backend::moveIntoHiddenRegion(ObservedItem item) {
    return moveInTurn("moveIntoHiddenRegion", &Mac26Backend::movingIn, std::move(item));
}

async::Task<void> Mac26Backend::moveOutOfHiddenRegion(ObservedItem item) {
    return moveInTurn("moveOutOfHiddenRegion", &Mac26Backend::movingOut, std::move(item));
}

async::Task<void> Mac26Backend::moveInTurn(const char* operation, Move move, ObservedItem item) {
    const auto watched = changing();
    async::Executor& caller = co_await async::currentExecutor();
    if (&caller != &main_)
        co_await async::hopTo(main_);
    auto turn = takeTurnAtTheBar(operation);
    const auto pass = co_await std::move(turn);
    auto moving = (this->*move)(std::move(item));
    co_await std::move(moving);
}

// Two drags at once would each grab the other's item: the second mouse-down
// lands while the first is still held. A press holds its turn from bringing
// the item out until it is back, so that no move closes its menu.
async::Task<async::Turnstile::Pass> Mac26Backend::takeTurnAtTheBar(const char* operation) {
    const bool entered = co_await barTurns_.enter();
    if (!entered)
        throw BackendError::underlying(std::string(operation) +
                                       ": cancelled while another move or press ran");
    co_return async::Turnstile::Pass(barTurns_);
}

async::Task<void> Mac26Backend::movingIn(ObservedItem item) {
    co_await placementGate_.waitUntilIdle();
    if (!liveSpacerWindowID())
        throw BackendError::underlying("prepare() must be called before moveIntoHiddenRegion()");
    requireScreenRecording("moveIntoHiddenRegion");
    // A refused or reverted hide does not stop the move: the item belongs
    // left of the spacer whether or not the region can be hidden right now.
    // A region opened on purpose (show-all) stays open: the item is filed in
    // view and hidden with the rest when show-all ends.
    if (!regionHeldOpen_) {
        try {
            co_await hideRegion();
        } catch (const BackendError&) {
        }
    }
    auto bar = windowList_.layer25Windows();
    const auto spacer = liveSpacerWindowID(bar);
    if (!spacer)
        throw BackendError::underlying("moveIntoHiddenRegion: spacer window vanished mid-move");
    auto move = StampedItemMover::move(windowList_, services_.syntheticEvents, item.id, *spacer,
                                       true, std::move(bar));
    co_await std::move(move);
}

async::Task<void> Mac26Backend::movingOut(ObservedItem item) {
    co_await placementGate_.waitUntilIdle();
    auto bar = windowList_.layer25Windows();
    const auto spacer = liveSpacerWindowID(bar);
    if (!spacer)
        throw BackendError::underlying("prepare() must be called before moveOutOfHiddenRegion()");
    requireScreenRecording("moveOutOfHiddenRegion");
    auto move = StampedItemMover::move(windowList_, services_.syntheticEvents, item.id, *spacer,
                                       false, std::move(bar));
    co_await std::move(move);
}

void Mac26Backend::requireScreenRecording(const char* operation) const {
    if (!services_.screenCapture->preflightAccess())
        throw BackendError::underlying(std::string(operation) +
                                       ": Screen Recording is not granted; nothing is moved "
                                       "until it is");
}

} // namespace corvel
