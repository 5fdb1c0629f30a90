#pragma once

#include "backend_mac26/Mac26MenuExtraResolver.h"
#include "backend_mac26/MenuBarWindowInfo.h"
#include "backend_mac26/ResolvedIdentity.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace corvel {

/// Identities of menu bar windows by window number, shared by the poll (on
/// its background thread) and the backend (on the main thread). Entries are
/// added or overwritten by scans and never removed. The lock guards only
/// the map; the accessibility scan runs outside it, so a slow scan on one
/// thread never blocks a reader on the other.
class Mac26IdentityCache {
  public:
    using ExtrasProvider = std::function<std::vector<Mac26MenuExtraResolver::MenuExtra>()>;

    /// Polls without a scan between two full scans while every on-screen
    /// foreign window is known.
    static constexpr int scanIntervalTicks = 4;

    /// `defaultExtras` is what resolve() scans unless told otherwise.
    explicit Mac26IdentityCache(ExtrasProvider defaultExtras);

    /// An immutable copy of the whole map.
    using Snapshot = std::shared_ptr<const ResolvedIdentities>;

    /// Scans once and matches every foreign on-screen window to the nearest
    /// extra within 12 points (both unlocked), then records the matches.
    /// Returns the whole map, including windows that no longer exist, as a
    /// snapshot that later scans never change. Any thread.
    Snapshot resolve(const std::vector<MenuBarWindowInfo>& windows, std::string_view nameSpace);
    Snapshot resolve(const std::vector<MenuBarWindowInfo>& windows, std::string_view nameSpace,
                     const ExtrasProvider& extrasProvider);

    /// Pure: a scan is due after `scanIntervalTicks` passes without one, or
    /// at once when a foreign window with bounds at x >= 0 has no identity.
    static bool shouldRescan(const std::vector<MenuBarWindowInfo>& windows,
                             const ResolvedIdentities& cachedIdentities, std::string_view ownPrefix,
                             int ticksSinceLastScan, int scanIntervalTicks);

  private:
    const ExtrasProvider defaultExtras_;
    std::mutex lock_;
    /// Replaced, never modified, when a scan changes an entry, so that a
    /// scan that finds what is known already copies nothing.
    Snapshot byWindowID_ = std::make_shared<const ResolvedIdentities>();
};

} // namespace corvel
