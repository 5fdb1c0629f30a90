#include "backend_mac26/Mac26IdentityCache.h"

#include "backend_mac26/Mac26MenuExtraIndex.h"
#include "backend_mac26/Mac26OwnNames.h"

#include <algorithm>

namespace corvel {

namespace {

// Windows the scan matches and the rescan rule watches: foreign and with
// bounds, wherever they stand.
bool isForeignPlaced(const MenuBarWindowInfo& window, std::string_view ownPrefix,
                     const Mac26OwnWindows::Numbers& own) {
    return !Mac26OwnNames::hasOwnPrefix(window.name, ownPrefix) && window.bounds &&
           !own.contains(window.windowID);
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
    return record(windows, nameSpace, extras, {});
}

Mac26IdentityCache::Snapshot Mac26IdentityCache::record(
    const std::vector<MenuBarWindowInfo>& windows, std::string_view nameSpace,
    const std::vector<Mac26MenuExtraResolver::MenuExtra>& extras,
    const Mac26OwnWindows::Numbers& own, std::vector<Mac26OwnWindows::Sighting>* ownSightings) {
    const std::string ownPrefix = Mac26OwnNames::ownPrefix(nameSpace);
    const Mac26MenuExtraIndex index(extras);
    std::vector<std::pair<std::uint32_t, const Mac26MenuExtraResolver::MenuExtra*>> matches;
    for (const auto& window : windows) {
        if (!window.bounds)
            continue;
        const auto* extra =
            index.nearest(window.bounds->origin.x, Mac26MenuExtraResolver::matchTolerance);
        if (!extra)
            continue;
        // Corvel's own windows are sighted whatever they are called; a
        // leftover of a crashed run has a name like theirs and no element.
        if (extra->isOwn && !extra->identifier.empty()) {
            if (ownSightings)
                ownSightings->push_back({window.windowID, extra->identifier});
            continue;
        }
        if (isForeignPlaced(window, ownPrefix, own))
            matches.emplace_back(window.windowID, extra);
    }

    std::lock_guard guard(lock_);
    std::shared_ptr<ResolvedIdentities> changed;
    auto current = [&]() -> const ResolvedIdentities& { return changed ? *changed : *byWindowID_; };
    auto set = [&](std::uint32_t windowID, const ResolvedIdentity& identity) {
        auto known = current().find(windowID);
        if (known != current().end() && known->second == identity)
            return;
        if (!changed)
            changed = std::make_shared<ResolvedIdentities>(*byWindowID_);
        (*changed)[windowID] = identity;
    };
    for (const auto& [windowID, extra] : matches)
        set(windowID, ResolvedIdentity{extra->bundleID, extra->name});
    for (const auto& window : windows) {
        if (!isForeignPlaced(window, ownPrefix, own) || current().contains(window.windowID))
            continue;
        if (const auto predecessor = predecessorOf(window, windows, current())) {
            const ResolvedIdentity inherited = current().at(*predecessor);
            set(window.windowID, inherited);
        }
    }
    if (changed)
        byWindowID_ = std::move(changed);
    notePlacesLocked(windows, ownPrefix, own);
    lastScanned_ = windows;
    return byWindowID_;
}

std::optional<Mac26IdentityCache::Snapshot>
Mac26IdentityCache::knownFor(const std::vector<MenuBarWindowInfo>& windows,
                             std::string_view nameSpace, const Mac26OwnWindows::Numbers& own) {
    const std::string ownPrefix = Mac26OwnNames::ownPrefix(nameSpace);
    std::lock_guard guard(lock_);
    if (shouldRescan(windows, lastScanned_, *byWindowID_, ownPrefix, 1, 1, own))
        return std::nullopt;
    return byWindowID_;
}

void Mac26IdentityCache::notePlaces(const std::vector<MenuBarWindowInfo>& windows,
                                    std::string_view nameSpace,
                                    const Mac26OwnWindows::Numbers& own) {
    const std::string ownPrefix = Mac26OwnNames::ownPrefix(nameSpace);
    std::lock_guard guard(lock_);
    notePlacesLocked(windows, ownPrefix, own);
}

void Mac26IdentityCache::notePlacesLocked(const std::vector<MenuBarWindowInfo>& windows,
                                          std::string_view ownPrefix,
                                          const Mac26OwnWindows::Numbers& own) {
    for (const auto& window : windows)
        if (isForeignPlaced(window, ownPrefix, own) && byWindowID_->contains(window.windowID))
            placeOf_.insert_or_assign(window.windowID, *window.bounds);
}

std::optional<std::uint32_t>
Mac26IdentityCache::predecessorOf(const MenuBarWindowInfo& window,
                                  const std::vector<MenuBarWindowInfo>& windows,
                                  const ResolvedIdentities& identities) const {
    for (const auto& [number, place] : placeOf_) {
        if (place.origin.x != window.bounds->origin.x ||
            place.size.width != window.bounds->size.width || !identities.contains(number))
            continue;
        const bool gone = std::none_of(windows.begin(), windows.end(),
                                       [&](const auto& other) { return other.windowID == number; });
        if (gone)
            return number;
    }
    return std::nullopt;
}

std::vector<Mac26MenuExtraResolver::MenuExtra> Mac26IdentityCache::walk() const {
    return defaultExtras_ ? defaultExtras_() : std::vector<Mac26MenuExtraResolver::MenuExtra>();
}

Mac26IdentityCache::Snapshot Mac26IdentityCache::snapshot() {
    std::lock_guard guard(lock_);
    return byWindowID_;
}

bool Mac26IdentityCache::shouldRescan(const std::vector<MenuBarWindowInfo>& windows,
                                      const std::vector<MenuBarWindowInfo>& lastScanned,
                                      const ResolvedIdentities& cachedIdentities,
                                      std::string_view ownPrefix, int ticksSinceLastScan,
                                      int scanIntervalTicks, const Mac26OwnWindows::Numbers& own) {
    for (const auto& window : windows) {
        if (!isForeignPlaced(window, ownPrefix, own))
            continue;
        const bool scannedAsIs =
            std::any_of(lastScanned.begin(), lastScanned.end(), [&](const auto& scanned) {
                return scanned.windowID == window.windowID && scanned.bounds &&
                       scanned.bounds->size.width == window.bounds->size.width;
            });
        if (!scannedAsIs)
            return true;
        if (!cachedIdentities.contains(window.windowID) && ticksSinceLastScan >= scanIntervalTicks)
            return true;
    }
    return false;
}

} // namespace corvel
