#pragma once

#include "engine/SearchableText.h"

#include <cstdint>

namespace corvel {

/// One menu bar item as the item search weighs it.
struct ItemSearchCandidate {
    SearchableText displayName;
    SearchableText applicationName;
    /// When the person last pressed the item from the search this run: a
    /// larger number is more recent; 0 means never.
    std::uint64_t lastUse = 0;
};

} // namespace corvel
