#pragma once

#include "backend/BackendItemToken.h"
#include "backend/ObservedItem.h"
#include "engine/AssignableItemRow.h"

#include <unordered_set>
#include <utility>
#include <vector>

namespace corvel {

/// Whether items that came into the menu bar call for putting the filed
/// items back into the hidden region. An application that starts while
/// Corvel runs puts its items where the Mac remembers them, which may be out
/// in view (right of the spacer, or left of it while the region is open);
/// only such an arrival warrants a pass. An item Corvel already
/// failed to move needs a hand and is left to the person, and an item that
/// was in view before it came is not this arrival's business.
struct AppearedItemsDecider {
    /// `sightings` pairs each row of the latest reading with its live item;
    /// `appeared` holds the tokens that came into the bar since the last
    /// decision.
    static bool
    warrantsPass(const std::vector<std::pair<AssignableItemRow, ObservedItem>>& sightings,
                 const std::unordered_set<BackendItemToken>& appeared);
};

} // namespace corvel
