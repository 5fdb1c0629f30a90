#pragma once

#include "backend/ObservedItem.h"
#include "backend_mac26/Mac26OwnWindows.h"
#include "backend_mac26/MenuBarWindowInfo.h"
#include "backend_mac26/ResolvedIdentity.h"
#include "platform/Workspace.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

/// Turns a window-list reading into the foreign items Corvel reports. Pure
/// apart from the bundle-identifier lookup for windows without a resolved
/// identity, which the caller supplies.
class Mac26ItemObserver {
  public:
    /// Windows taller than this many times the spacer are not menu bar items.
    static constexpr double heightFilterFactor = 1.5;

    /// The bundle identifier of the running application with this process
    /// identifier; empty when there is none or it has none.
    using BundleIdentifierLookup = std::function<std::string(std::int32_t pid)>;

    /// In list order. Own windows (the own prefix, or a number in `own`) are
    /// never items. With a spacer that has bounds (named, or `own.spacer`),
    /// items whose x is strictly left of the spacer's are in the hidden
    /// region, and items taller than 1.5 times a spacer of positive size are
    /// dropped; without one, neither applies. A window without a resolved
    /// identity takes its owner's bundle identifier and its name, unless the
    /// owner is Control Center, which hosts other applications' windows: such
    /// a window is not an item until a walk says whose it is.
    static std::vector<ObservedItem> observedItems(const std::vector<MenuBarWindowInfo>& windows,
                                                   std::string_view nameSpace,
                                                   const ResolvedIdentities& resolvedIdentities,
                                                   const BundleIdentifierLookup& bundleIdentifierOf,
                                                   const Mac26OwnWindows::Numbers& own = {});
    /// The same into `items`, reusing the records (and their strings'
    /// storage) of the previous call, so that a poll of a still bar
    /// allocates nothing.
    static void observeInto(const std::vector<MenuBarWindowInfo>& windows,
                            std::string_view nameSpace,
                            const ResolvedIdentities& resolvedIdentities,
                            const BundleIdentifierLookup& bundleIdentifierOf,
                            std::vector<ObservedItem>& items,
                            const Mac26OwnWindows::Numbers& own = {});

    /// The lookup through the workspace: the running application's bundle
    /// identifier, or "" when there is none or it has none. Any thread.
    static BundleIdentifierLookup
    workspaceLookup(std::shared_ptr<const platform::Workspace> workspace);
};

} // namespace corvel
