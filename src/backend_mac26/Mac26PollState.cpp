#include "backend_mac26/Mac26PollState.h"

#include "backend_mac26/Mac26OwnNames.h"

namespace corvel {

Mac26PollState::Mac26PollState(std::shared_ptr<const Mac26MenuBarReader> reader)
    : reader_(std::move(reader)), spacerName_(Mac26OwnNames::spacerName(reader_->nameSpace())),
      ownPrefix_(Mac26OwnNames::ownPrefix(reader_->nameSpace())) {}

bool Mac26PollState::isSettled(const std::vector<MenuBarWindowInfo>& windows) const {
    const auto spacer = reader_->ownWindows()->numbers().spacer;
    const MenuBarWindowInfo* byNumber = nullptr;
    for (const auto& window : windows) {
        if (window.name == spacerName_)
            return !MenuBarPollDiff::isBoundsDegenerate(window.bounds);
        if (!byNumber && spacer == window.windowID)
            byNumber = &window;
    }
    // Without names the spacer is known by its number.
    return byNumber && !MenuBarPollDiff::isBoundsDegenerate(byNumber->bounds);
}

void Mac26PollState::refreshIdentities(std::vector<MenuBarWindowInfo>& windows,
                                       const Mac26OwnWindows::Numbers& own) {
    const bool first = !geometry_;
    if (first ||
        Mac26IdentityCache::shouldRescan(windows, lastScanned_, *resolved_, ownPrefix_,
                                         ticksSinceLastScan_,
                                         Mac26IdentityCache::scanIntervalTicks, own)) {
        auto scan = reader_->scan(windows);
        windows = std::move(scan.windows);
        resolved_ = std::move(scan.identities);
        lastScanned_ = windows;
        ticksSinceLastScan_ = 0;
        ++scans_;
    } else {
        ++ticksSinceLastScan_;
        reader_->identityCache()->notePlaces(windows, reader_->nameSpace(), own);
    }
}

std::vector<MenuBarChangeEvent> Mac26PollState::pass(std::vector<MenuBarWindowInfo>& windows) {
    refreshIdentities(windows, reader_->ownWindows()->numbers());
    reader_->observe(windows, *resolved_, items_);
    const bool settled = isSettled(windows);

    std::vector<MenuBarChangeEvent> events;
    if (!geometry_) {
        geometry_ = MenuBarGeometryHysteresis::seeded(settled);
    } else if (auto change = geometry_->observe(settled)) {
        events.push_back(MenuBarChangeEvent::menuBarGeometryUnsettled(*change));
    }
    auto itemEvents = MenuBarPollDiff::diff(items_, previous_);
    if (events.empty())
        return itemEvents;
    events.insert(events.end(), std::make_move_iterator(itemEvents.begin()),
                  std::make_move_iterator(itemEvents.end()));
    return events;
}

} // namespace corvel
