#pragma once

#include "backend/ObservedItem.h"
#include "backend_mac26/ForeignPressResolver.h"
#include "backend_mac26/Mac26IdentityCache.h"
#include "backend_mac26/Mac26ItemObserver.h"
#include "backend_mac26/Mac26OwnWindows.h"
#include "backend_mac26/MenuBarWindowList.h"
#include "platform/Accessibility.h"
#include "platform/Workspace.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// The one place where Corvel reads other applications' accessibility: the
/// walk that tells whose each menu bar window is, and the element a press
/// acts on. Every call may hold its thread while an application answers
/// (half a second at most for one that does not), so it is called off the
/// main thread only: by the poll, and by the backend through its background
/// executor (a reading that needs no walk excepted). Thread-safe; shared by
/// both.
class Mac26MenuBarReader {
  public:
    /// Walks made for one scan before it gives up on a menu bar that keeps
    /// changing under it.
    static constexpr int walksPerScan = 3;

    struct Ports {
        MenuBarWindowList windowList{nullptr};
        std::shared_ptr<platform::Accessibility> accessibility;
        std::shared_ptr<const platform::Workspace> workspace;
        std::int32_t selfPID = 0;
    };

    /// One reading of the status layer with the identities that go with it.
    struct Scan {
        std::vector<MenuBarWindowInfo> windows;
        Mac26IdentityCache::Snapshot identities;
    };

    /// The walk is the identity cache's extras provider. Without a
    /// workspace, windows without identity borrow no bundle identifier.
    Mac26MenuBarReader(std::string nameSpace, Ports ports,
                       std::shared_ptr<Mac26IdentityCache> identityCache,
                       std::shared_ptr<Mac26OwnWindows> ownWindows);

    /// Walks the applications' extras and reads the window list again; the
    /// walk's matches are kept only when that second reading agrees with the
    /// first (the same windows, owners and places), since an application
    /// that quit or launched meanwhile would have moved its neighbours under
    /// the walk. Tries `walksPerScan` times, each from the latest reading;
    /// answers the reading the identities were taken for (or the latest).
    Scan scan(std::vector<MenuBarWindowInfo> windows) const;

    /// A fresh reading of every foreign item, after a scan.
    std::vector<ObservedItem> currentItems() const;
    /// A fresh reading of every foreign item with the identities already
    /// known; it scans only when a window is new to the cache (new,
    /// renumbered, resized or never named), as the poll would.
    std::vector<ObservedItem> knownItems() const;
    /// The same without any accessibility read: nothing when a window is
    /// new to the cache and a walk would have to name it. The one reading
    /// that may run on the main thread.
    std::optional<std::vector<ObservedItem>> knownItemsWithoutWalking() const;
    /// The foreign items of a reading, with the identities given.
    void observe(const std::vector<MenuBarWindowInfo>& windows,
                 const ResolvedIdentities& identities, std::vector<ObservedItem>& items) const;

    /// Finds the element that stands for the item and presses it; answers
    /// whether there was one to press.
    bool press(const ObservedItem& item) const;

    const std::string& nameSpace() const { return nameSpace_; }
    const MenuBarWindowList& windowList() const { return ports_.windowList; }
    const std::shared_ptr<Mac26IdentityCache>& identityCache() const { return identityCache_; }
    const std::shared_ptr<Mac26OwnWindows>& ownWindows() const { return ownWindows_; }

    /// Whether two readings show the same windows with the same owners in
    /// the same places. Pure.
    static bool agree(const std::vector<MenuBarWindowInfo>& before,
                      const std::vector<MenuBarWindowInfo>& after);

  private:
    const std::string nameSpace_;
    const Ports ports_;
    const std::shared_ptr<Mac26IdentityCache> identityCache_;
    const std::shared_ptr<Mac26OwnWindows> ownWindows_;
    const Mac26ItemObserver::BundleIdentifierLookup bundleIdentifierOf_;
};

} // namespace corvel
