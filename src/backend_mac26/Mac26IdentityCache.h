#pragma once

#include "backend_mac26/Mac26MenuExtraResolver.h"
#include "backend_mac26/Mac26OwnWindows.h"
#include "backend_mac26/MenuBarWindowInfo.h"
#include "backend_mac26/ResolvedIdentity.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvel {

/// Identities of menu bar windows by window number, shared by the poll (on
/// its background thread) and the backend's reader. Entries are added or
/// overwritten by scans and never removed. The lock guards only the map; the
/// accessibility walk runs outside it, so a slow walk on one thread never
/// blocks a reader on the other.
class Mac26IdentityCache {
  public:
    using ExtrasProvider = std::function<std::vector<Mac26MenuExtraResolver::MenuExtra>()>;

    /// Passes between two scans for a foreign window that a scan could not
    /// name (its application did not answer, or its item was not placed).
    static constexpr int scanIntervalTicks = 4;

    /// `defaultExtras` is what resolve() scans unless told otherwise.
    explicit Mac26IdentityCache(ExtrasProvider defaultExtras);

    /// An immutable copy of the whole map.
    using Snapshot = std::shared_ptr<const ResolvedIdentities>;

    /// Walks once and records the walk's matches for `windows` (record()).
    /// Any thread.
    Snapshot resolve(const std::vector<MenuBarWindowInfo>& windows, std::string_view nameSpace);
    Snapshot resolve(const std::vector<MenuBarWindowInfo>& windows, std::string_view nameSpace,
                     const ExtrasProvider& extrasProvider);

    /// Matches every foreign window with bounds, on screen or pushed off it,
    /// to the nearest extra of one walk within 12 points and records the
    /// matches. A window whose nearest extra is one of Corvel's own items (an
    /// extra of its process with an identifier) is Corvel's own, whatever
    /// its name: it gets no identity and is reported in `ownSightings`.
    /// Windows named with the own prefix or listed in `own` get no identity.
    /// A window the walk could not name (its application did not answer)
    /// that stands exactly where a known window stood, which is gone, takes
    /// that window's identity: a restarted host gives the windows it hosts
    /// new numbers in the same places.
    /// Returns the whole map, including windows that no longer exist, as a
    /// snapshot that later scans never change. Any thread.
    Snapshot record(const std::vector<MenuBarWindowInfo>& windows, std::string_view nameSpace,
                    const std::vector<Mac26MenuExtraResolver::MenuExtra>& extras,
                    const Mac26OwnWindows::Numbers& own,
                    std::vector<Mac26OwnWindows::Sighting>* ownSightings = nullptr);

    /// Where each named window of the reading stands now, so that a window
    /// renumbered later inherits from where its predecessor last stood even
    /// when no scan has seen it there (items move without a scan). Asks no
    /// application. Any thread.
    void notePlaces(const std::vector<MenuBarWindowInfo>& windows, std::string_view nameSpace,
                    const Mac26OwnWindows::Numbers& own);

    /// The map as the last scan left it when that scan saw every foreign
    /// window of `windows` with its number and width and named it (the rule
    /// of shouldRescan() with no pass to wait); none when a scan is due, so
    /// that a reading can do without a walk only while nothing it shows is
    /// new to the cache. Any thread.
    std::optional<Snapshot> knownFor(const std::vector<MenuBarWindowInfo>& windows,
                                     std::string_view nameSpace,
                                     const Mac26OwnWindows::Numbers& own);

    /// One walk with the default provider, recording nothing.
    std::vector<Mac26MenuExtraResolver::MenuExtra> walk() const;
    /// The map as the last scan left it.
    Snapshot snapshot();

    /// Pure: a scan is due when a foreign window with bounds (a filed item
    /// pushed off the screen as much as one in view) is not in
    /// `lastScanned`, the reading of the last scan, as wide as there: new,
    /// renumbered (a new number is a new window) or resized. While such a
    /// window has no identity, one is due again every `scanIntervalTicks`
    /// passes. A still bar, or one whose items only move, is not scanned.
    static bool shouldRescan(const std::vector<MenuBarWindowInfo>& windows,
                             const std::vector<MenuBarWindowInfo>& lastScanned,
                             const ResolvedIdentities& cachedIdentities, std::string_view ownPrefix,
                             int ticksSinceLastScan, int scanIntervalTicks,
                             const Mac26OwnWindows::Numbers& own = {});

  private:
    void notePlacesLocked(const std::vector<MenuBarWindowInfo>& windows,
                          std::string_view ownPrefix, const Mac26OwnWindows::Numbers& own);
    /// A window with an identity that stood exactly where `window` stands
    /// and is not in `windows` any more. Called under the lock.
    std::optional<std::uint32_t> predecessorOf(const MenuBarWindowInfo& window,
                                               const std::vector<MenuBarWindowInfo>& windows,
                                               const ResolvedIdentities& identities) const;

    const ExtrasProvider defaultExtras_;
    std::mutex lock_;
    /// Replaced, never modified, when a scan changes an entry, so that a
    /// scan that finds what is known already copies nothing.
    Snapshot byWindowID_ = std::make_shared<const ResolvedIdentities>();
    /// The reading the last record() was given.
    std::vector<MenuBarWindowInfo> lastScanned_;
    /// Where each window with an identity stood when a scan last saw it.
    std::unordered_map<std::uint32_t, platform::Rect> placeOf_;
};

} // namespace corvel
