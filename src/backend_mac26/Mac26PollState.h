#pragma once

#include "backend/MenuBarChangeEvent.h"
#include "backend_mac26/Mac26MenuBarReader.h"
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
/// except the reader, which is thread-safe.
class Mac26PollState {
  public:
    explicit Mac26PollState(std::shared_ptr<const Mac26MenuBarReader> reader);

    /// One pass over a fresh reading: the events to yield, in order; a
    /// geometry change before the item events. The first pass scans the
    /// identities, reports every item as appeared and never a geometry
    /// change; later passes rescan by the rule of Mac26IdentityCache (only
    /// for windows that are new or resized). A scan may replace `windows`
    /// with the later reading its identities agree with.
    std::vector<MenuBarChangeEvent> pass(std::vector<MenuBarWindowInfo>& windows);

    /// How many passes have run a full identity scan.
    int scanCount() const { return scans_; }

  private:
    bool isSettled(const std::vector<MenuBarWindowInfo>& windows) const;
    void refreshIdentities(std::vector<MenuBarWindowInfo>& windows,
                           const Mac26OwnWindows::Numbers& own);

    const std::shared_ptr<const Mac26MenuBarReader> reader_;
    const std::string spacerName_;
    const std::string ownPrefix_;

    MenuBarPollDiff::ItemsByToken previous_;
    /// Scratch for the observed items of a pass, kept so that its strings'
    /// storage serves the next pass.
    std::vector<ObservedItem> items_;
    Mac26IdentityCache::Snapshot resolved_ = std::make_shared<const ResolvedIdentities>();
    /// The reading the last scan named.
    std::vector<MenuBarWindowInfo> lastScanned_;
    int ticksSinceLastScan_ = 0;
    int scans_ = 0;
    std::optional<MenuBarGeometryHysteresis> geometry_;
};

} // namespace corvel
