#include "sim/PersonInput.h"

#include "platform/SyntheticEvents.h"
#include "sim/EventRouter.h"

#include <algorithm>
#include <cmath>

namespace corvel::sim {

namespace {

// The platform's virtual key codes of the keys a menu answers.
constexpr std::uint16_t returnKeyCode = 36;
constexpr std::uint16_t enterKeyCode = 76;
constexpr std::uint16_t downKeyCode = 125;
constexpr std::uint16_t upKeyCode = 126;

bool isSeparator(const std::string& title) {
    return title == "-";
}

// The next entry that is not a separator, `step` (+1 or -1) at a time,
// wrapping; from no highlight, the first or the last.
std::optional<std::size_t> nextHighlight(const OpenMenu& menu, int step) {
    const auto count = static_cast<std::ptrdiff_t>(menu.titles.size());
    if (count == 0)
        return std::nullopt;
    std::ptrdiff_t row = menu.highlightedRow ? static_cast<std::ptrdiff_t>(*menu.highlightedRow)
                                             : (step > 0 ? -1 : count);
    for (std::ptrdiff_t tried = 0; tried < count; ++tried) {
        row = ((row + step) % count + count) % count;
        if (!isSeparator(menu.titles[static_cast<std::size_t>(row)]))
            return static_cast<std::size_t>(row);
    }
    return std::nullopt;
}

} // namespace

PersonInput::ClickOutcome PersonInput::click(World& world, platform::Point location) {
    ClickOutcome outcome;
    for (auto menu = world.menus().rbegin(); menu != world.menus().rend(); ++menu) {
        if (!menu->frame.contains(location))
            continue;
        const double offset = std::max(0.0, location.y - menu->frame.minY() - OpenMenu::topPadding);
        const auto row = static_cast<std::size_t>(std::floor(offset / OpenMenu::rowHeight));
        const bool choosesEntry = row < menu->titles.size() && menu->titles[row] != "-";
        if (menu->ownerPid == world.selfPid() && row < menu->titles.size())
            outcome.ownMenuRow = std::make_pair(menu->itemId, row);
        outcome.reachesMonitors = menu->ownerPid != world.selfPid();
        // A chosen entry takes its menu down before its action is sent.
        if (choosesEntry)
            world.closeAllMenus();
        else
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
        return true;
    const bool reachesMonitors = dragged->isLeftover || dragged->creatorPid != world.selfPid();
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
        return reachesMonitors;
    ++world.counters.drags;
    EventRouter::drop(world, dragged->itemId, target->itemId, to.x, now);
    return reachesMonitors;
}

std::optional<PersonInput::OwnMenuRow> PersonInput::pressKey(World& world, std::uint16_t keyCode) {
    if (keyCode == platform::SyntheticEvents::escapeKeyCode) {
        ++world.counters.escapes;
        world.closeMenusLater();
        return std::nullopt;
    }
    // A menu takes the keyboard while it is open.
    OpenMenu* menu = world.frontMenu();
    return menu ? menuKey(world, *menu, keyCode) : std::nullopt;
}

std::optional<PersonInput::OwnMenuRow> PersonInput::menuKey(World& world, OpenMenu& menu,
                                                            std::uint16_t keyCode) {
    switch (keyCode) {
    case downKeyCode:
    case upKeyCode:
        if (auto row = nextHighlight(menu, keyCode == downKeyCode ? 1 : -1))
            menu.highlightedRow = row;
        return std::nullopt;
    case returnKeyCode:
    case enterKeyCode: {
        if (!menu.highlightedRow) {
            world.closeMenusLater();
            return std::nullopt;
        }
        std::optional<OwnMenuRow> chosen;
        if (menu.ownerPid == world.selfPid())
            chosen = OwnMenuRow{menu.itemId, *menu.highlightedRow};
        // As a click on the entry: the menu goes before its action is sent.
        world.closeAllMenus();
        return chosen;
    }
    default:
        return std::nullopt;
    }
}

const StatusEntry* PersonInput::itemAt(const World& world, platform::Point location) {
    const auto frames = world.layoutFrames();
    for (std::size_t i = 0; i < world.entries().size(); ++i)
        if (world.isListed(world.entries()[i]) && frames[i].contains(location))
            return &world.entries()[i];
    return nullptr;
}

} // namespace corvel::sim
