#pragma once

#include "backend/ObservedItem.h"
#include "engine/OrdinalHintedItem.h"

#include <vector>

namespace corvel::OrdinalHints {

/// Numbers the items of each identity from left to right by frame x, items
/// without a frame last, ties in input order; an identity seen once gets 0.
/// Returns the items in input order. Pure; main thread.
std::vector<OrdinalHintedItem> withOrdinalHints(const std::vector<ObservedItem>& items);

} // namespace corvel::OrdinalHints
