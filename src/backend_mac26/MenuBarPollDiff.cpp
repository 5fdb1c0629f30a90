#include "backend_mac26/MenuBarPollDiff.h"

#include <cmath>

namespace corvel {

std::vector<MenuBarChangeEvent> MenuBarPollDiff::diff(const std::vector<ObservedItem>& current,
                                                      ItemsByToken& previous) {
    // The map is updated in place, so a still menu bar costs one lookup and
    // one comparison per item and allocates nothing.
    const std::uint64_t stamp = ++previous.diffs_;
    auto& entries = previous.entries_;
    std::vector<MenuBarChangeEvent> events;
    std::size_t seen = 0;
    for (const auto& item : current) {
        auto [entry, inserted] = entries.try_emplace(item.id, ItemsByToken::Entry{item, stamp});
        if (inserted) {
            ++seen;
            events.push_back(MenuBarChangeEvent::itemAppeared(item));
            continue;
        }
        // A token listed twice in one reading: the first one stands.
        if (entry->second.seenIn == stamp)
            continue;
        entry->second.seenIn = stamp;
        ++seen;
        if (!(entry->second.item == item)) {
            entry->second.item = item;
            events.push_back(MenuBarChangeEvent::itemChanged(item));
        }
    }
    if (seen == entries.size())
        return events;
    for (auto entry = entries.begin(); entry != entries.end();) {
        if (entry->second.seenIn == stamp) {
            ++entry;
            continue;
        }
        events.push_back(MenuBarChangeEvent::itemDisappeared(entry->first));
        entry = entries.erase(entry);
    }
    return events;
}

bool MenuBarPollDiff::isBoundsDegenerate(const std::optional<platform::Rect>& bounds) {
    return !bounds || !(std::abs(bounds->size.width) > 0) || !(std::abs(bounds->size.height) > 0);
}

} // namespace corvel
