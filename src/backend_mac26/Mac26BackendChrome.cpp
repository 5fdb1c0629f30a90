// Placing Corvel's own icons beside the spacer.
#include "async/Hop.h"
#include "backend/BackendError.h"
#include "backend_mac26/Mac26Backend.h"
#include "backend_mac26/Mac26ChromeOrderPlanner.h"
#include "backend_mac26/Mac26ChromePlacer.h"
#include "backend_mac26/Mac26WindowToken.h"

namespace corvel {

namespace {

/// Ends the placement on every way out of it, so that region operations
/// and moves waiting at the gate go on.
class GateRelease {
  public:
    explicit GateRelease(ChromePlacementGate& gate) : gate_(gate) { gate_.begin(); }
    ~GateRelease() { gate_.end(); }
    GateRelease(const GateRelease&) = delete;
    GateRelease& operator=(const GateRelease&) = delete;

  private:
    ChromePlacementGate& gate_;
};

BackendError neverRegistered() {
    return BackendError::underlying(
        "placeOwnChrome: chrome block never registered in CGWindowList");
}

} // namespace

async::Task<std::vector<BackendItemToken>>
Mac26Backend::placeOwnChrome(std::vector<OwnChromeIcon> icons) {
    const auto watched = changing();
    async::Executor& caller = co_await async::currentExecutor();
    if (&caller != &main_)
        co_await async::hopTo(main_);
    // The gate resumes every waiter at once and a resumed waiter does not
    // look again, so two placements queued behind a third would run side by
    // side, each removing the items of the one before and leaving a second
    // set of icons in the bar. A placement waits until none runs, unless it
    // is cancelled meanwhile: a cancelled wait returns at once, every time.
    while (placementGate_.isInProgress()) {
        const bool idle = co_await placementGate_.waitUntilIdle();
        if (!idle)
            throw BackendError::underlying("placeOwnChrome: cancelled while another placement ran");
    }
    GateRelease release(placementGate_);
    if (!spacerItem_)
        throw BackendError::underlying("prepare() must be called before placeOwnChrome()");

    // A hidden region stays hidden: the spacer comes back as wide as it was.
    const double spacerLength = spacerItem_->length();
    const Mac26ChromePlacer::Ports ports{services_.statusBar, services_.symbolImages, windowList_};
    std::vector<std::shared_ptr<platform::StatusItem>> existingChrome;
    for (const auto& [handle, item] : chromeItemsByHandle_)
        existingChrome.push_back(item);

    auto first =
        Mac26ChromePlacer::place(ports, icons, nameSpace_, spacerLength, std::move(existingChrome),
                                 spacerItem_, chromeClickForwarder_);
    auto placement = co_await std::move(first);
    if (!placement)
        throw neverRegistered();
    if (!Mac26ChromeOrderPlanner::matches(placement->achievedLeftToRight, icons)) {
        Mac26ChromePlacer::destroy(*services_.statusBar, *placement);
        auto second = Mac26ChromePlacer::place(ports, icons, nameSpace_, spacerLength, {}, nullptr,
                                               chromeClickForwarder_);
        placement = co_await std::move(second);
        if (!placement)
            throw neverRegistered();
    }

    spacerItem_ = placement->spacerItem;
    chromeItemsByHandle_ = placement->chromeItemsByHandle;
    ownWindows_->replace({placement->spacerWindowID, placement->chromeWindowIDsByHandle});
    primaryHandle_.reset();
    for (const auto& icon : icons)
        if (!icon.symbolName) {
            primaryHandle_ = icon.handle;
            break;
        }
    applyPrimaryIconMenu();

    std::vector<BackendItemToken> tokens;
    for (const auto& slot : placement->achievedLeftToRight) {
        if (slot.kind() != Mac26ChromeSlot::Kind::icon)
            continue;
        const auto number = placement->chromeWindowIDsByHandle.find(slot.handle());
        if (number != placement->chromeWindowIDsByHandle.end())
            tokens.push_back(Mac26WindowToken::token(number->second));
    }
    co_return tokens;
}

} // namespace corvel
