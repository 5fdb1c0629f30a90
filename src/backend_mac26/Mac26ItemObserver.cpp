#include "backend_mac26/Mac26ItemObserver.h"

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

std::optional<SpacerReference> spacerReference(const std::vector<MenuBarWindowInfo>& windows,
                                               const std::string& spacerName) {
    for (const auto& window : windows) {
        if (window.name != spacerName)
            continue;
        if (!window.bounds)
            return std::nullopt;
        SpacerReference reference{window.bounds->origin.x, std::nullopt};
        const auto& size = window.bounds->size;
        if (size.width > 0 && size.height > 0)
            reference.heightLimit = Mac26ItemObserver::heightFilterFactor * size.height;
        return reference;
    }
    return std::nullopt;
}

// Assigned field by field, so strings keep the storage they had.
void assignIdentity(ItemIdentity& identity, const MenuBarWindowInfo& window,
                    const ResolvedIdentities& resolved,
                    const Mac26ItemObserver::BundleIdentifierLookup& bundleIdentifierOf) {
    if (auto entry = resolved.find(window.windowID); entry != resolved.end()) {
        identity.bundleID = entry->second.bundleID;
        identity.title = entry->second.title;
        return;
    }
    if (bundleIdentifierOf)
        identity.bundleID = bundleIdentifierOf(window.ownerPID);
    else
        identity.bundleID.clear();
    identity.title = window.name;
}

void assignItem(ObservedItem& item, const MenuBarWindowInfo& window,
                const std::optional<SpacerReference>& spacer, const ResolvedIdentities& resolved,
                const Mac26ItemObserver::BundleIdentifierLookup& bundleIdentifierOf) {
    item.id = Mac26WindowToken::token(window.windowID);
    assignIdentity(item.identity, window, resolved, bundleIdentifierOf);
    item.isInHiddenRegion = false;
    item.frame.reset();
    if (window.bounds) {
        const auto& bounds = *window.bounds;
        item.frame = ItemFrame{bounds.origin.x, bounds.origin.y, std::abs(bounds.size.width),
                               std::abs(bounds.size.height)};
        item.isInHiddenRegion = spacer && bounds.origin.x < spacer->minX;
    }
}

} // namespace

std::vector<ObservedItem>
Mac26ItemObserver::observedItems(const std::vector<MenuBarWindowInfo>& windows,
                                 std::string_view nameSpace,
                                 const ResolvedIdentities& resolvedIdentities,
                                 const BundleIdentifierLookup& bundleIdentifierOf) {
    std::vector<ObservedItem> items;
    observeInto(windows, nameSpace, resolvedIdentities, bundleIdentifierOf, items);
    return items;
}

void Mac26ItemObserver::observeInto(const std::vector<MenuBarWindowInfo>& windows,
                                    std::string_view nameSpace,
                                    const ResolvedIdentities& resolvedIdentities,
                                    const BundleIdentifierLookup& bundleIdentifierOf,
                                    std::vector<ObservedItem>& items) {
    std::size_t count = 0;
    if (!windows.empty()) {
        const std::string ownPrefix = Mac26OwnNames::ownPrefix(nameSpace);
        const auto spacer = spacerReference(windows, Mac26OwnNames::spacerName(nameSpace));
        items.reserve(windows.size());
        for (const auto& window : windows) {
            if (Mac26OwnNames::hasOwnPrefix(window.name, ownPrefix))
                continue;
            if (window.bounds && spacer && spacer->heightLimit &&
                std::abs(window.bounds->size.height) > *spacer->heightLimit)
                continue;
            if (count == items.size())
                items.push_back(ObservedItem{Mac26WindowToken::token(0), {}, false, std::nullopt});
            assignItem(items[count++], window, spacer, resolvedIdentities, bundleIdentifierOf);
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
