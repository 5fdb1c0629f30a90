#include "engine/AppearedItemsDecider.h"

#include <algorithm>

namespace corvel {

bool AppearedItemsDecider::warrantsPass(
    const std::vector<std::pair<AssignableItemRow, ObservedItem>>& sightings,
    const std::unordered_set<BackendItemToken>& appeared) {
    return std::any_of(sightings.begin(), sightings.end(), [&](const auto& sighting) {
        const auto& [row, observed] = sighting;
        return row.groupID && !row.needsAHand && !observed.isInHiddenRegion &&
               appeared.contains(observed.id);
    });
}

} // namespace corvel
