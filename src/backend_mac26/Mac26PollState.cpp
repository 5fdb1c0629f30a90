#include "backend_mac26/Mac26PollState.h"

#include "backend_mac26/Mac26OwnNames.h"

namespace corvel {

Mac26PollState::Mac26PollState(std::string nameSpace,
                               std::shared_ptr<Mac26IdentityCache> identityCache,
                               Mac26ItemObserver::BundleIdentifierLookup bundleIdentifierOf)
    : nameSpace_(std::move(nameSpace)), spacerName_(Mac26OwnNames::spacerName(nameSpace_)),
      ownPrefix_(Mac26OwnNames::ownPrefix(nameSpace_)), identityCache_(std::move(identityCache)),
      bundleIdentifierOf_(std::move(bundleIdentifierOf)) {}

bool Mac26PollState::isSettled(const std::vector<MenuBarWindowInfo>& windows) const {
    for (const auto& window : windows)
        if (window.name == spacerName_)
            return !MenuBarPollDiff::isBoundsDegenerate(window.bounds);
    return false;
}

void Mac26PollState::refreshIdentities(const std::vector<MenuBarWindowInfo>& windows) {
    const bool first = !geometry_;
    if (first ||
        Mac26IdentityCache::shouldRescan(windows, *resolved_, ownPrefix_, ticksSinceLastScan_,
                                         Mac26IdentityCache::scanIntervalTicks)) {
        resolved_ = identityCache_->resolve(windows, nameSpace_);
        ticksSinceLastScan_ = 0;
        ++scans_;
    } else {
        ++ticksSinceLastScan_;
    }
}

std::vector<MenuBarChangeEvent>
Mac26PollState::pass(const std::vector<MenuBarWindowInfo>& windows) {
    refreshIdentities(windows);
    const auto items =
        Mac26ItemObserver::observedItems(windows, nameSpace_, *resolved_, bundleIdentifierOf_);
    const bool settled = isSettled(windows);

    std::vector<MenuBarChangeEvent> events;
    if (!geometry_) {
        geometry_ = MenuBarGeometryHysteresis::seeded(settled);
    } else if (auto change = geometry_->observe(settled)) {
        events.push_back(MenuBarChangeEvent::menuBarGeometryUnsettled(*change));
    }
    auto itemEvents = MenuBarPollDiff::diff(items, previous_);
    events.insert(events.end(), std::make_move_iterator(itemEvents.begin()),
                  std::make_move_iterator(itemEvents.end()));
    return events;
}

} // namespace corvel
