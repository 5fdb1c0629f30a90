#include "backend_mac26/Mac26ChromePlacer.h"

#include "async/Sleep.h"
#include "backend_mac26/CorvelGlyph.h"
#include "backend_mac26/Mac26ChromeOrderPlanner.h"
#include "backend_mac26/Mac26OwnNames.h"
#include "backend_mac26/Mac26Spacer.h"

#include <algorithm>
#include <set>

namespace corvel {

namespace {

const OwnChromeIcon* iconWithHandle(const std::vector<OwnChromeIcon>& icons, const Uuid& handle) {
    for (const auto& icon : icons)
        if (icon.handle == handle)
            return &icon;
    return nullptr;
}

} // namespace

async::Task<std::optional<Mac26ChromePlacement>>
Mac26ChromePlacer::place(Ports ports, std::vector<OwnChromeIcon> icons, std::string nameSpace,
                         double preservedSpacerLength,
                         std::vector<std::shared_ptr<platform::StatusItem>> existingChrome,
                         std::shared_ptr<platform::StatusItem> existingSpacer,
                         std::shared_ptr<ChromeClickForwarder> clickForwarder) {
    for (const auto& item : existingChrome)
        ports.statusBar->removeStatusItem(item);
    if (existingSpacer)
        ports.statusBar->removeStatusItem(existingSpacer);

    Created created = create(ports, icons, nameSpace, preservedSpacerLength, *clickForwarder);
    std::vector<std::string> names;
    for (const auto& [slot, name] : created.namesBySlot)
        names.push_back(name);
    auto registration =
        awaitRegistrationForNames(ports.windows, names, registrationAttempts, waitInterval);
    const auto registered = co_await std::move(registration);
    if (!registered) {
        destroy(*ports.statusBar, created.placement);
        co_return std::nullopt;
    }

    std::vector<std::uint32_t> windowIDs;
    std::map<std::uint32_t, Mac26ChromeSlot> slotsByWindowID;
    for (const auto& [slot, name] : created.namesBySlot) {
        const std::uint32_t number = registered->at(name);
        windowIDs.push_back(number);
        slotsByWindowID.emplace(number, slot);
        if (slot.kind() == Mac26ChromeSlot::Kind::spacer)
            created.placement.spacerWindowID = number;
        else
            created.placement.chromeWindowIDsByHandle[slot.handle()] = number;
    }
    auto settling = waitForStableBounds(ports.windows, windowIDs, stabilityAttempts, waitInterval);
    co_await std::move(settling);
    created.placement.achievedLeftToRight =
        achievedOrder(ports.windows.windows(MenuBarWindowList::statusWindowLayer), slotsByWindowID);
    co_return std::move(created.placement);
}

Mac26ChromePlacer::Created Mac26ChromePlacer::create(const Ports& ports,
                                                     const std::vector<OwnChromeIcon>& icons,
                                                     const std::string& nameSpace,
                                                     double preservedSpacerLength,
                                                     ChromeClickForwarder& clickForwarder) {
    Created created;
    for (const auto& slot : Mac26ChromeOrderPlanner::creationOrder(icons)) {
        if (slot.kind() == Mac26ChromeSlot::Kind::spacer)
            created.namesBySlot.emplace_back(slot, Mac26OwnNames::spacerName(nameSpace));
        else if (iconWithHandle(icons, slot.handle()))
            created.namesBySlot.emplace_back(slot,
                                             Mac26OwnNames::iconName(nameSpace, slot.handle()));
    }
    // The platform puts an item back where an item of the same name stood
    // before, which would overrule the creation order: icons could come back
    // left of the spacer, inside the hidden region. Forget those places first.
    for (const auto& [slot, name] : created.namesBySlot)
        ports.statusBar->forgetRememberedPosition(name);

    for (const auto& [slot, name] : created.namesBySlot) {
        if (slot.kind() == Mac26ChromeSlot::Kind::spacer) {
            created.placement.spacerItem =
                Mac26Spacer::create(*ports.statusBar, nameSpace, preservedSpacerLength);
            continue;
        }
        const OwnChromeIcon& icon = *iconWithHandle(icons, slot.handle());
        created.placement.chromeItemsByHandle[icon.handle] =
            createIcon(ports, icon, name, clickForwarder);
    }
    return created;
}

std::shared_ptr<platform::StatusItem>
Mac26ChromePlacer::createIcon(const Ports& ports, const OwnChromeIcon& icon,
                              const std::string& name, ChromeClickForwarder& clickForwarder) {
    auto item = ports.statusBar->statusItem(iconLength);
    item->setAutosaveName(name);
    auto& button = item->button();
    button.setTitle("");
    button.setAccessibilityTitle(name);
    std::optional<platform::Image> image;
    if (icon.symbolName) {
        image = ports.symbolImages->systemSymbolImage(*icon.symbolName, "");
        if (image)
            image->setTemplate(true);
    } else {
        image = CorvelGlyph::menuBarTemplate();
    }
    if (image)
        button.setImage(std::move(image));
    button.setImagePosition(platform::ImagePosition::imageOnly);
    button.setIdentifier(icon.handle.text());
    button.setAction(clickForwarder.buttonAction());
    return item;
}

void Mac26ChromePlacer::destroy(platform::StatusBar& statusBar,
                                const Mac26ChromePlacement& placement) {
    for (const auto& [handle, item] : placement.chromeItemsByHandle)
        statusBar.removeStatusItem(item);
    if (placement.spacerItem)
        statusBar.removeStatusItem(placement.spacerItem);
}

async::Task<std::optional<std::map<std::string, std::uint32_t>>>
Mac26ChromePlacer::awaitRegistrationForNames(MenuBarWindowList windows,
                                             std::vector<std::string> names, int attempts,
                                             async::Duration interval) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const auto listed = windows.windows(MenuBarWindowList::statusWindowLayer);
        std::map<std::string, std::uint32_t> found;
        for (const auto& name : names)
            for (const auto& window : listed)
                if (window.name == name) {
                    found.emplace(name, window.windowID);
                    break;
                }
        if (found.size() == std::set<std::string>(names.begin(), names.end()).size())
            co_return found;
        co_await async::sleepFor(interval);
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            break;
    }
    co_return std::nullopt;
}

async::Task<void> Mac26ChromePlacer::waitForStableBounds(MenuBarWindowList windows,
                                                         std::vector<std::uint32_t> windowIDs,
                                                         int attempts, async::Duration interval) {
    if (windowIDs.empty())
        co_return;
    std::map<std::uint32_t, platform::Rect> lastSeen;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const auto listed = windows.windows(MenuBarWindowList::statusWindowLayer);
        bool allStable = true;
        for (const std::uint32_t number : windowIDs) {
            const auto window = std::find_if(listed.begin(), listed.end(),
                                             [&](const auto& w) { return w.windowID == number; });
            if (window == listed.end() || !window->bounds) {
                allStable = false;
                continue;
            }
            const auto previous = lastSeen.find(number);
            if (previous == lastSeen.end() || previous->second != *window->bounds) {
                lastSeen[number] = *window->bounds;
                allStable = false;
            }
        }
        if (allStable)
            co_return;
        co_await async::sleepFor(interval);
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            co_return;
    }
}

std::vector<Mac26ChromeSlot>
Mac26ChromePlacer::achievedOrder(const std::vector<MenuBarWindowInfo>& windows,
                                 const std::map<std::uint32_t, Mac26ChromeSlot>& slotsByWindowID) {
    std::vector<const MenuBarWindowInfo*> placed;
    for (const auto& window : windows)
        if (slotsByWindowID.contains(window.windowID))
            placed.push_back(&window);
    const auto x = [](const MenuBarWindowInfo* window) {
        return window->bounds ? window->bounds->origin.x : 0.0;
    };
    std::stable_sort(placed.begin(), placed.end(),
                     [&](const auto* a, const auto* b) { return x(a) < x(b); });
    std::vector<Mac26ChromeSlot> slots;
    for (const auto* window : placed)
        slots.push_back(slotsByWindowID.at(window->windowID));
    return slots;
}

} // namespace corvel
