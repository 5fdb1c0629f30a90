#include "backend_mac26/Mac26MenuBarReader.h"

#include "backend_mac26/Mac26OwnNames.h"

namespace corvel {

Mac26MenuBarReader::Mac26MenuBarReader(std::string nameSpace, Ports ports,
                                       std::shared_ptr<Mac26IdentityCache> identityCache,
                                       std::shared_ptr<Mac26OwnWindows> ownWindows)
    : nameSpace_(std::move(nameSpace)), ports_(std::move(ports)),
      identityCache_(std::move(identityCache)), ownWindows_(std::move(ownWindows)),
      bundleIdentifierOf_(ports_.workspace ? Mac26ItemObserver::workspaceLookup(ports_.workspace)
                                           : nullptr) {}

bool Mac26MenuBarReader::agree(const std::vector<MenuBarWindowInfo>& before,
                               const std::vector<MenuBarWindowInfo>& after) {
    if (before.size() != after.size())
        return false;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i].windowID != after[i].windowID || before[i].ownerPID != after[i].ownerPID ||
            before[i].bounds != after[i].bounds)
            return false;
    return true;
}

Mac26MenuBarReader::Scan Mac26MenuBarReader::scan(std::vector<MenuBarWindowInfo> windows) const {
    for (int walk = 0; walk < walksPerScan; ++walk) {
        const auto extras = identityCache_->walk();
        auto after = ports_.windowList.layer25Windows();
        if (!agree(windows, after)) {
            windows = std::move(after);
            continue;
        }
        std::vector<Mac26OwnWindows::Sighting> sightings;
        auto identities =
            identityCache_->record(windows, nameSpace_, extras, ownWindows_->numbers(), &sightings);
        ownWindows_->recognise(sightings, Mac26OwnNames::spacerName(nameSpace_));
        return {std::move(windows), std::move(identities)};
    }
    return {std::move(windows), identityCache_->snapshot()};
}

std::vector<ObservedItem> Mac26MenuBarReader::currentItems() const {
    const Scan reading = scan(ports_.windowList.layer25Windows());
    std::vector<ObservedItem> items;
    observe(reading.windows, *reading.identities, items);
    return items;
}

std::optional<std::vector<ObservedItem>> Mac26MenuBarReader::knownItemsWithoutWalking() const {
    const auto windows = ports_.windowList.layer25Windows();
    const auto identities = identityCache_->knownFor(windows, nameSpace_, ownWindows_->numbers());
    if (!identities)
        return std::nullopt;
    std::vector<ObservedItem> items;
    observe(windows, **identities, items);
    return items;
}

std::vector<ObservedItem> Mac26MenuBarReader::knownItems() const {
    if (auto items = knownItemsWithoutWalking())
        return std::move(*items);
    return currentItems();
}

void Mac26MenuBarReader::observe(const std::vector<MenuBarWindowInfo>& windows,
                                 const ResolvedIdentities& identities,
                                 std::vector<ObservedItem>& items) const {
    Mac26ItemObserver::observeInto(windows, nameSpace_, identities, bundleIdentifierOf_, items,
                                   ownWindows_->numbers());
}

bool Mac26MenuBarReader::press(const ObservedItem& item) const {
    const auto element = ForeignPressResolver::resolveAXElement(
        {ports_.windowList, ports_.accessibility, ports_.workspace, ports_.selfPID}, item);
    if (!element)
        return false;
    ports_.accessibility->performAction(*element, platform::Accessibility::pressAction);
    return true;
}

} // namespace corvel
