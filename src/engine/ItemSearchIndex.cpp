#include "engine/ItemSearchIndex.h"

#include <algorithm>
#include <numeric>

namespace corvel {

ItemSearchIndex ItemSearchIndex::of(std::vector<ItemSearchCandidate> candidates) {
    ItemSearchIndex index;
    index.candidates = std::move(candidates);
    index.alphabetical.resize(index.candidates.size());
    std::iota(index.alphabetical.begin(), index.alphabetical.end(), std::size_t{0});
    std::stable_sort(index.alphabetical.begin(), index.alphabetical.end(),
                     [&](std::size_t a, std::size_t b) {
                         return index.candidates[a].displayName.sortKey <
                                index.candidates[b].displayName.sortKey;
                     });
    return index;
}

} // namespace corvel
