#include "backend_mac26/Mac26IdentityCache.h"

#include "backend_mac26/Mac26OwnNames.h"

namespace corvel {

namespace {

// Windows the scan matches and the rescan rule watches: foreign, with
// bounds, and not pushed off the left edge.
bool isForeignOnScreen(const MenuBarWindowInfo& window, std::string_view ownPrefix) {
    return !Mac26OwnNames::hasOwnPrefix(window.name, ownPrefix) && window.bounds &&
           window.bounds->origin.x >= 0;
}

} // namespace

Mac26IdentityCache::Mac26IdentityCache(ExtrasProvider defaultExtras)
    : defaultExtras_(std::move(defaultExtras)) {}

ResolvedIdentities Mac26IdentityCache::resolve(const std::vector<MenuBarWindowInfo>& windows,
                                               std::string_view nameSpace) {
    return resolve(windows, nameSpace, defaultExtras_);
}

ResolvedIdentities Mac26IdentityCache::resolve(const std::vector<MenuBarWindowInfo>& windows,
                                               std::string_view nameSpace,
                                               const ExtrasProvider& extrasProvider) {
    const auto extras =
        extrasProvider ? extrasProvider() : std::vector<Mac26MenuExtraResolver::MenuExtra>();
    const std::string ownPrefix = Mac26OwnNames::ownPrefix(nameSpace);
    std::lock_guard guard(lock_);
    if (!extras.empty()) {
        for (const auto& window : windows) {
            if (!isForeignOnScreen(window, ownPrefix))
                continue;
            auto extra = Mac26MenuExtraResolver::match(window.bounds->origin.x, extras,
                                                       Mac26MenuExtraResolver::matchTolerance);
            if (extra)
                byWindowID_[window.windowID] = ResolvedIdentity{extra->bundleID, extra->name};
        }
    }
    return byWindowID_;
}

bool Mac26IdentityCache::shouldRescan(const std::vector<MenuBarWindowInfo>& windows,
                                      const ResolvedIdentities& cachedIdentities,
                                      std::string_view ownPrefix, int ticksSinceLastScan,
                                      int scanIntervalTicks) {
    if (ticksSinceLastScan >= scanIntervalTicks)
        return true;
    for (const auto& window : windows)
        if (isForeignOnScreen(window, ownPrefix) && !cachedIdentities.contains(window.windowID))
            return true;
    return false;
}

} // namespace corvel
