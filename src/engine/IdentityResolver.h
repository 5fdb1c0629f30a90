#pragma once

#include "domain/Item.h"
#include "engine/IdentityResolution.h"
#include "engine/OrdinalHintedItem.h"

#include <vector>

namespace corvel::IdentityResolver {

/// Matches observed items to stored Items (of any Group) by identity and, when
/// the counts on screen and in the store agree, by ordinal against hint. Looks
/// at nothing else: not Groups, names, hidden state or earlier tokens. Pure;
/// main thread.
IdentityResolution resolve(const std::vector<Item>& persisted,
                           const std::vector<OrdinalHintedItem>& observed);

} // namespace corvel::IdentityResolver
