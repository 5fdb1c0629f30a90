// The menus of the simulated window server and the changes it makes later.
#include "sim/World.h"

#include <algorithm>

namespace corvel::sim {

const OpenMenu& World::openMenu(const StatusEntry& entry, std::vector<std::string> titles) {
    closeAllMenus();
    const platform::Rect itemFrame = layoutFrames()[indexOf(entry.itemId)];
    OpenMenu menu;
    menu.windowNumber = allocateWindowNumber();
    menu.itemWindowNumber = entry.windowNumber;
    menu.itemId = entry.itemId;
    menu.ownerPid = entry.creatorPid;
    const std::size_t rows = std::max<std::size_t>(titles.size(), 1);
    // The window server keeps menus on the display: an item pushed off the
    // left edge gets its menu at the edge, not under itself.
    const double x =
        std::clamp(itemFrame.minX(), 0.0, std::max(0.0, screen().width - OpenMenu::width));
    menu.frame = {{x, screen().menuBarHeight + 2}, {OpenMenu::width, OpenMenu::height(rows)}};
    menu.titles = std::move(titles);
    menus_.push_back(std::move(menu));
    return menus_.back();
}

std::optional<std::uint64_t> World::activate(std::uint64_t itemId) {
    const StatusEntry* entry = entryByItem(itemId);
    if (!entry || entry->isLeftover)
        return std::nullopt;
    if (entry->creatorPid == selfPid_)
        return itemId;
    defer(latencies.menuOpen, [itemId](World& world) { world.toggleMenu(itemId); });
    return std::nullopt;
}

void World::toggleMenu(std::uint64_t itemId) {
    const StatusEntry* entry = entryByItem(itemId);
    if (!entry)
        return;
    const SimProcess* owner = process(entry->creatorPid);
    if (!owner || !owner->running || entry->faults.menuNeverOpens)
        return;
    const bool wasOpen = std::any_of(menus_.begin(), menus_.end(),
                                     [&](const OpenMenu& menu) { return menu.itemId == itemId; });
    if (wasOpen)
        closeAllMenus();
    else
        openMenu(*entry, entry->extraMenu);
}

void World::closeMenusLater(std::optional<std::int32_t> ownerPid) {
    defer(latencies.menuClose, [ownerPid](World& world) {
        if (ownerPid)
            world.closeMenusOwnedBy(*ownerPid);
        else
            world.closeAllMenus();
    });
}

void World::defer(async::Duration delay, Effect effect) {
    if (delay <= async::Duration::zero()) {
        effect(*this);
        return;
    }
    deferred_.push_back({delay, std::move(effect)});
}

void World::closeMenu(std::uint32_t windowNumber) {
    std::erase_if(menus_, [&](const OpenMenu& menu) { return menu.windowNumber == windowNumber; });
}

void World::closeAllMenus() {
    menus_.clear();
}

void World::closeMenusOwnedBy(std::int32_t pid) {
    std::erase_if(menus_, [&](const OpenMenu& menu) { return menu.ownerPid == pid; });
}

} // namespace corvel::sim
