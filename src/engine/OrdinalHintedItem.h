#pragma once

#include "backend/ObservedItem.h"

#include <cstdint>

namespace corvel {

/// An observed item with its position among the items of the same identity,
/// counted from the left; what a stored Item's ordinal is matched against.
struct OrdinalHintedItem {
    ObservedItem item;
    std::int64_t ordinalHint = 0;

    friend bool operator==(const OrdinalHintedItem&, const OrdinalHintedItem&) = default;
};

} // namespace corvel
