#include "backend_mac26/Mac26ChromeOrderPlanner.h"

#include <algorithm>

namespace corvel {

std::vector<Mac26ChromeSlot>
Mac26ChromeOrderPlanner::desiredLeftToRight(const std::vector<OwnChromeIcon>& desiredIcons) {
    std::vector<OwnChromeIcon> sorted = desiredIcons;
    std::stable_sort(
        sorted.begin(), sorted.end(),
        [](const OwnChromeIcon& a, const OwnChromeIcon& b) { return a.order < b.order; });
    std::vector<Slot> slots{Slot::spacer()};
    for (const auto& icon : sorted)
        slots.push_back(Slot::icon(icon.handle));
    return slots;
}

std::vector<Mac26ChromeSlot>
Mac26ChromeOrderPlanner::creationOrder(const std::vector<OwnChromeIcon>& desiredIcons) {
    auto slots = desiredLeftToRight(desiredIcons);
    std::reverse(slots.begin(), slots.end());
    return slots;
}

bool Mac26ChromeOrderPlanner::matches(const std::vector<Slot>& achieved,
                                      const std::vector<OwnChromeIcon>& desiredIcons) {
    return achieved == desiredLeftToRight(desiredIcons);
}

} // namespace corvel
