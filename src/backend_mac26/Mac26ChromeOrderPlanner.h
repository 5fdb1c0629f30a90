#pragma once

#include "backend/OwnChromeIcon.h"
#include "backend_mac26/Mac26ChromeSlot.h"

#include <vector>

namespace corvel {

/// The order of the block of own status items: the spacer leftmost, then
/// the icons by ascending order. The platform puts each new status item at
/// the far left, so creating the slots right to left leaves them in the
/// wanted order. Pure.
struct Mac26ChromeOrderPlanner {
    using Slot = Mac26ChromeSlot;

    /// The spacer, then the icons sorted stably by ascending order.
    static std::vector<Slot> desiredLeftToRight(const std::vector<OwnChromeIcon>& desiredIcons);
    /// The reverse of desiredLeftToRight: the rightmost icon first, the
    /// spacer last.
    static std::vector<Slot> creationOrder(const std::vector<OwnChromeIcon>& desiredIcons);
    /// Whether the order read back equals the desired one slot for slot.
    static bool matches(const std::vector<Slot>& achieved,
                        const std::vector<OwnChromeIcon>& desiredIcons);
};

} // namespace corvel
