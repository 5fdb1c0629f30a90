#include "sim/PersonInput.h"

#include "platform/SyntheticEvents.h"
#include "sim/EventRouter.h"

#include <algorithm>
#include <cmath>

namespace corvel::sim {

PersonInput::ClickOutcome PersonInput::click(World& world, platform::Point location) {
    ClickOutcome outcome;
    for (auto menu = world.menus().rbegin(); menu != world.menus().rend(); ++menu) {
        if (!menu->frame.contains(location))
            continue;
        const double offset = std::max(0.0, location.y - menu->frame.minY() - OpenMenu::topPadding);
        const auto row = static_cast<std::size_t>(std::floor(offset / OpenMenu::rowHeight));
        if (menu->ownerPid == world.selfPid() && row < menu->titles.size())
            outcome.ownMenuRow = std::make_pair(menu->itemId, row);
        outcome.reachesMonitors = menu->ownerPid != world.selfPid();
        world.closeMenusLater();
        return outcome;
    }
    const StatusEntry* item = itemAt(world, location);
    if (!item) {
        world.closeMenusLater();
        outcome.reachesMonitors = true;
        return outcome;
    }
    const bool isOwn = !item->isLeftover && item->creatorPid == world.selfPid();
    outcome.reachesMonitors = !isOwn;
    if (!isOwn)
        world.entryByItem(item->itemId)->awake = true;
    const bool ownMenuWasOpen =
        isOwn && std::any_of(world.menus().begin(), world.menus().end(),
                             [&](const OpenMenu& menu) { return menu.itemId == item->itemId; });
    if (isOwn)
        world.closeAllMenus();
    if (!ownMenuWasOpen)
        outcome.ownItem = world.activate(item->itemId);
    return outcome;
}

bool PersonInput::commandDrag(World& world, platform::Point from, platform::Point to,
                              async::TimePoint now) {
    const StatusEntry* dragged = itemAt(world, from);
    if (!dragged)
        return false;
    // Dropped anywhere along the bar, the item lands beside the nearest one.
    const StatusEntry* target = nullptr;
    double nearest = 0;
    const auto frames = world.layoutFrames();
    for (std::size_t i = 0; i < world.entries().size(); ++i) {
        const StatusEntry& entry = world.entries()[i];
        if (!world.isListed(entry) || entry.itemId == dragged->itemId)
            continue;
        const double distance = std::abs(frames[i].midX() - to.x);
        if (!target || distance < nearest) {
            target = &entry;
            nearest = distance;
        }
    }
    if (!target)
        return false;
    ++world.counters.drags;
    EventRouter::drop(world, dragged->itemId, target->itemId, to.x, now);
    return true;
}

void PersonInput::pressKey(World& world, std::uint16_t keyCode) {
    if (keyCode != platform::SyntheticEvents::escapeKeyCode)
        return;
    ++world.counters.escapes;
    world.closeMenusLater();
}

const StatusEntry* PersonInput::itemAt(const World& world, platform::Point location) {
    const auto frames = world.layoutFrames();
    for (std::size_t i = 0; i < world.entries().size(); ++i)
        if (world.isListed(world.entries()[i]) && frames[i].contains(location))
            return &world.entries()[i];
    return nullptr;
}

} // namespace corvel::sim
