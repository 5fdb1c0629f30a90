#include "backend_mac26/Mac26ItemObserver.h"

#include "backend_mac26/Mac26MenuExtraResolver.h"
#include "backend_mac26/Mac26OwnNames.h"
#include "backend_mac26/Mac26WindowToken.h"

#include <cmath>
#include <optional>

namespace corvel {

namespace {

struct SpacerReference {
    double minX = 0;
    std::optional<double> heightLimit;
};

std::optional<SpacerReference> referenceOf(const MenuBarWindowInfo& spacer) {
    if (!spacer.bounds)
        return std::nullopt;
    SpacerReference reference{spacer.bounds->origin.x, std::nullopt};
    const auto& size = spacer.bounds->size;
    if (size.width > 0 && size.height > 0)
        reference.heightLimit = Mac26ItemObserver::heightFilterFactor * size.height;
    return reference;
}

// By name; without names (no Screen Recording, windows hosted) by number.
std::optional<SpacerReference> spacerReference(const std::vector<MenuBarWindowInfo>& windows,
                                               const std::string& spacerName,
                                               std::optional<std::uint32_t> spacerNumber) {
    const MenuBarWindowInfo* byNumber = nullptr;
    for (const auto& window : windows) {
        if (window.name == spacerName)
            return referenceOf(window);
        if (!byNumber && spacerNumber == window.windowID)
            byNumber = &window;
    }
    return byNumber ? referenceOf(*byNumber) : std::nullopt;
}

// Assigned field by field, so strings keep the storage they had. Answers
// false for a window whose identity is not known and cannot be borrowed from
// its owner: the host of other applications' windows lends none.
bool assignIdentity(ItemIdentity& identity, const MenuBarWindowInfo& window,
                    const ResolvedIdentities& resolved,
                    const Mac26ItemObserver::BundleIdentifierLookup& bundleIdentifierOf) {
    if (auto entry = resolved.find(window.windowID); entry != resolved.end()) {
        identity.bundleID = entry->second.bundleID;
        identity.title = entry->second.title;
        return true;
    }
    if (bundleIdentifierOf)
        identity.bundleID = bundleIdentifierOf(window.ownerPID);
    else
        identity.bundleID.clear();
    if (identity.bundleID == Mac26MenuExtraResolver::controlCenterBundleID)
        return false;
    identity.title = window.name;
    return true;
}

bool assignItem(ObservedItem& item, const MenuBarWindowInfo& window,
                const std::optional<SpacerReference>& spacer, const ResolvedIdentities& resolved,
                const Mac26ItemObserver::BundleIdentifierLookup& bundleIdentifierOf) {
    if (!assignIdentity(item.identity, window, resolved, bundleIdentifierOf))
        return false;
    item.id = Mac26WindowToken::token(window.windowID);
    item.isInHiddenRegion = false;
    item.frame.reset();
    if (window.bounds) {
        const auto& bounds = *window.bounds;
        item.frame = ItemFrame{bounds.origin.x, bounds.origin.y, std::abs(bounds.size.width),
                               std::abs(bounds.size.height)};
        item.isInHiddenRegion = spacer && bounds.origin.x < spacer->minX;
    }
    return true;
}

} // namespace

std::vector<ObservedItem> Mac26ItemObserver::observedItems(
    const std::vector<MenuBarWindowInfo>& windows, std::string_view nameSpace,
    const ResolvedIdentities& resolvedIdentities, const BundleIdentifierLookup& bundleIdentifierOf,
    const Mac26OwnWindows::Numbers& own) {
    std::vector<ObservedItem> items;
    observeInto(windows, nameSpace, resolvedIdentities, bundleIdentifierOf, items, own);
    return items;
}

void Mac26ItemObserver::observeInto(const std::vector<MenuBarWindowInfo>& windows,
                                    std::string_view nameSpace,
                                    const ResolvedIdentities& resolvedIdentities,
                                    const BundleIdentifierLookup& bundleIdentifierOf,
                                    std::vector<ObservedItem>& items,
                                    const Mac26OwnWindows::Numbers& own) {
    std::size_t count = 0;
    if (!windows.empty()) {
        const std::string ownPrefix = Mac26OwnNames::ownPrefix(nameSpace);
        const auto spacer =
            spacerReference(windows, Mac26OwnNames::spacerName(nameSpace), own.spacer);
        items.reserve(windows.size());
        for (const auto& window : windows) {
            if (Mac26OwnNames::hasOwnPrefix(window.name, ownPrefix) ||
                own.contains(window.windowID))
                continue;
            if (window.bounds && spacer && spacer->heightLimit &&
                std::abs(window.bounds->size.height) > *spacer->heightLimit)
                continue;
            if (count == items.size())
                items.push_back(ObservedItem{Mac26WindowToken::token(0), {}, false, std::nullopt});
            if (assignItem(items[count], window, spacer, resolvedIdentities, bundleIdentifierOf))
                ++count;
        }
    }
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(count), items.end());
}

Mac26ItemObserver::BundleIdentifierLookup
Mac26ItemObserver::workspaceLookup(std::shared_ptr<const platform::Workspace> workspace) {
    return [workspace = std::move(workspace)](std::int32_t pid) -> std::string {
        auto application = workspace->runningApplicationForPid(pid);
        if (!application || !application->bundleIdentifier)
            return {};
        return *application->bundleIdentifier;
    };
}

} // namespace corvel
