#pragma once

#include "backend/ItemFrame.h"
#include "backend_mac26/MenuBarWindowInfo.h"

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace corvel {

/// Whether a pop-up menu window that a press opened is among the windows of
/// the pop-up layer. The menu belongs to the application that owns the item
/// (and is never owned by the process hosting the item's window), so the
/// caller names every process that may own it. Pure.
struct RevealMenuWindowMatcher {
    /// A menu counts only when its left edge lies less than this far from
    /// the item's left edge.
    static constexpr double proximity = 400.0;

    /// With a frame: a window of one of `menuOwnerPIDs`, with bounds, whose
    /// left edge lies within `proximity` of the item's. Without a frame: any
    /// window of those owners.
    static bool menuWindowPresent(const std::vector<MenuBarWindowInfo>& popUpWindows,
                                  const std::set<std::int32_t>& menuOwnerPIDs,
                                  const std::optional<ItemFrame>& itemFrame);
};

} // namespace corvel
