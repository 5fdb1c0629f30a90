#pragma once

#include "backend/MenuBarChangeEvent.h"
#include "backend_mac26/Mac26IdentityCache.h"
#include "backend_mac26/Mac26ItemObserver.h"
#include "backend_mac26/MenuBarGeometryHysteresis.h"
#include "backend_mac26/MenuBarPollDiff.h"
#include "backend_mac26/MenuBarWindowInfo.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// What the poll remembers from one pass to the next, and the work of one
/// pass over a reading. Owned by the poll's frame; nothing of it is shared
/// except the identity cache, which locks itself.
class Mac26PollState {
  public:
    Mac26PollState(std::string nameSpace, std::shared_ptr<Mac26IdentityCache> identityCache,
                   Mac26ItemObserver::BundleIdentifierLookup bundleIdentifierOf);

    /// One pass over a fresh reading: the events to yield, in order; a
    /// geometry change before the item events. The first pass scans the
    /// identities, reports every item as appeared and never a geometry
    /// change; later passes rescan by the rule of Mac26IdentityCache.
    std::vector<MenuBarChangeEvent> pass(const std::vector<MenuBarWindowInfo>& windows);

    /// How many passes have run a full identity scan.
    int scanCount() const { return scans_; }

  private:
    bool isSettled(const std::vector<MenuBarWindowInfo>& windows) const;
    void refreshIdentities(const std::vector<MenuBarWindowInfo>& windows);

    const std::string nameSpace_;
    const std::string spacerName_;
    const std::string ownPrefix_;
    const std::shared_ptr<Mac26IdentityCache> identityCache_;
    const Mac26ItemObserver::BundleIdentifierLookup bundleIdentifierOf_;

    MenuBarPollDiff::ItemsByToken previous_;
    Mac26IdentityCache::Snapshot resolved_ = std::make_shared<const ResolvedIdentities>();
    int ticksSinceLastScan_ = 0;
    int scans_ = 0;
    std::optional<MenuBarGeometryHysteresis> geometry_;
};

} // namespace corvel
