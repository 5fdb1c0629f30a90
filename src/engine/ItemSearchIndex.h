#pragma once

#include "engine/ItemSearchCandidate.h"

#include <cstddef>
#include <vector>

namespace corvel {

/// The menu bar's items as the item search weighs them, prepared once when
/// the search opens so that a keystroke only compares: the candidates in
/// the bar's order, and the same candidates in alphabetical order of their
/// display names.
struct ItemSearchIndex {
    std::vector<ItemSearchCandidate> candidates;
    /// Indices into `candidates`, alphabetically by display name; names
    /// that compare equal keep the bar's order.
    std::vector<std::size_t> alphabetical;

    static ItemSearchIndex of(std::vector<ItemSearchCandidate> candidates);
};

} // namespace corvel
