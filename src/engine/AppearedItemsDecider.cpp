#include "engine/AppearedItemsDecider.h"

#include <algorithm>

namespace corvel {

namespace {

// Left of the spacer is not out of sight while the region is open: an item
// that arrives at the far left of an open region stands in view all the
// same, and the move in hides the region first.
bool standsInView(const ObservedItem& item) {
    return !item.isInHiddenRegion || (item.frame && item.frame->x >= 0);
}

} // namespace

bool AppearedItemsDecider::warrantsPass(
    const std::vector<std::pair<AssignableItemRow, ObservedItem>>& sightings,
    const std::unordered_set<BackendItemToken>& appeared) {
    return std::any_of(sightings.begin(), sightings.end(), [&](const auto& sighting) {
        const auto& [row, observed] = sighting;
        return row.groupID && !row.needsAHand && standsInView(observed) &&
               appeared.contains(observed.id);
    });
}

} // namespace corvel
