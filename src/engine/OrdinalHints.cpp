#include "engine/OrdinalHints.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

namespace corvel::OrdinalHints {

namespace {

bool standsFurtherLeft(const ObservedItem& a, const ObservedItem& b) {
    if (a.frame && b.frame)
        return a.frame->x < b.frame->x;
    return a.frame.has_value() && !b.frame.has_value();
}

} // namespace

std::vector<OrdinalHintedItem> withOrdinalHints(const std::vector<ObservedItem>& items) {
    std::unordered_map<ItemIdentity, std::vector<std::size_t>> positionsByIdentity;
    for (std::size_t i = 0; i < items.size(); ++i) {
        positionsByIdentity[items[i].identity].push_back(i);
    }

    std::vector<OrdinalHintedItem> result;
    result.reserve(items.size());
    for (const auto& item : items)
        result.push_back({item, 0});

    for (auto& [identity, positions] : positionsByIdentity) {
        std::stable_sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
            return standsFurtherLeft(items[a], items[b]);
        });
        for (std::size_t rank = 0; rank < positions.size(); ++rank) {
            result[positions[rank]].ordinalHint = static_cast<std::int64_t>(rank);
        }
    }
    return result;
}

} // namespace corvel::OrdinalHints
