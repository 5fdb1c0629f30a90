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

ItemIdentity identityOf(const MenuBarWindowInfo& window, const ResolvedIdentities& resolved,
                        const Mac26ItemObserver::BundleIdentifierLookup& bundleIdentifierOf) {
    if (auto entry = resolved.find(window.windowID); entry != resolved.end())
        return ItemIdentity{entry->second.bundleID, entry->second.title};
    return ItemIdentity{bundleIdentifierOf ? bundleIdentifierOf(window.ownerPID) : std::string(),
                        window.name};
}

} // namespace

std::vector<ObservedItem>
Mac26ItemObserver::observedItems(const std::vector<MenuBarWindowInfo>& windows,
                                 std::string_view nameSpace,
                                 const ResolvedIdentities& resolvedIdentities,
                                 const BundleIdentifierLookup& bundleIdentifierOf) {
    std::vector<ObservedItem> items;
    if (windows.empty())
        return items;
    const std::string ownPrefix = Mac26OwnNames::ownPrefix(nameSpace);
    const auto spacer = spacerReference(windows, Mac26OwnNames::spacerName(nameSpace));
    items.reserve(windows.size());
    for (const auto& window : windows) {
        if (Mac26OwnNames::hasOwnPrefix(window.name, ownPrefix))
            continue;
        if (window.bounds && spacer && spacer->heightLimit &&
            std::abs(window.bounds->size.height) > *spacer->heightLimit)
            continue;
        ObservedItem item{Mac26WindowToken::token(window.windowID),
                          identityOf(window, resolvedIdentities, bundleIdentifierOf), false,
                          std::nullopt};
        if (window.bounds) {
            const auto& bounds = *window.bounds;
            item.frame = ItemFrame{bounds.origin.x, bounds.origin.y, std::abs(bounds.size.width),
                                   std::abs(bounds.size.height)};
            item.isInHiddenRegion = spacer && bounds.origin.x < spacer->minX;
        }
        items.push_back(std::move(item));
    }
    return items;
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
