#include "backend_mac26/MenuBarPollDiff.h"

#include <cmath>
#include <unordered_set>

namespace corvel {

std::vector<MenuBarChangeEvent> MenuBarPollDiff::diff(const std::vector<ObservedItem>& current,
                                                      ItemsByToken& previous) {
    std::vector<MenuBarChangeEvent> events;
    ItemsByToken next;
    next.reserve(current.size());
    for (const auto& item : current) {
        // The first of two items with one token is the one the map keeps, so
        // only it is compared and reported.
        if (!next.emplace(item.id, item).second)
            continue;
        auto known = previous.find(item.id);
        if (known == previous.end())
            events.push_back(MenuBarChangeEvent::itemAppeared(item));
        else if (!(known->second == item))
            events.push_back(MenuBarChangeEvent::itemChanged(item));
    }
    for (const auto& [token, item] : previous)
        if (!next.contains(token))
            events.push_back(MenuBarChangeEvent::itemDisappeared(token));
    previous = std::move(next);
    return events;
}

bool MenuBarPollDiff::isBoundsDegenerate(const std::optional<platform::Rect>& bounds) {
    return !bounds || !(std::abs(bounds->size.width) > 0) || !(std::abs(bounds->size.height) > 0);
}

} // namespace corvel
