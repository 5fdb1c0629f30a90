#include "backend_mac26/Mac26IdentityCache.h"

#include "backend_mac26/Mac26MenuExtraIndex.h"
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

Mac26IdentityCache::Snapshot
Mac26IdentityCache::resolve(const std::vector<MenuBarWindowInfo>& windows,
                            std::string_view nameSpace) {
    return resolve(windows, nameSpace, defaultExtras_);
}

Mac26IdentityCache::Snapshot
Mac26IdentityCache::resolve(const std::vector<MenuBarWindowInfo>& windows,
                            std::string_view nameSpace, const ExtrasProvider& extrasProvider) {
    const auto extras =
        extrasProvider ? extrasProvider() : std::vector<Mac26MenuExtraResolver::MenuExtra>();
    const std::string ownPrefix = Mac26OwnNames::ownPrefix(nameSpace);
    const Mac26MenuExtraIndex index(extras);
    std::vector<std::pair<std::uint32_t, const Mac26MenuExtraResolver::MenuExtra*>> matches;
    for (const auto& window : windows) {
        if (!isForeignOnScreen(window, ownPrefix))
            continue;
        if (const auto* extra =
                index.nearest(window.bounds->origin.x, Mac26MenuExtraResolver::matchTolerance))
            matches.emplace_back(window.windowID, extra);
    }

    std::lock_guard guard(lock_);
    std::shared_ptr<ResolvedIdentities> changed;
    for (const auto& [windowID, extra] : matches) {
        const ResolvedIdentities& current = changed ? *changed : *byWindowID_;
        auto known = current.find(windowID);
        if (known != current.end() && known->second.bundleID == extra->bundleID &&
            known->second.title == extra->name)
            continue;
        if (!changed)
            changed = std::make_shared<ResolvedIdentities>(*byWindowID_);
        (*changed)[windowID] = ResolvedIdentity{extra->bundleID, extra->name};
    }
    if (changed)
        byWindowID_ = std::move(changed);
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
