#pragma once

#include "domain/ItemIdentity.h"

#include <optional>
#include <string>

namespace corvel::ItemDisplayNameHeuristic {

/// A readable name for an item: the user's override when not empty, else the
/// title unless it is a generated "Item-<digits>", else the last part of the
/// bundle identifier. Never empty while the bundle identifier is not. Pure.
std::string displayName(const ItemIdentity& identity,
                        const std::optional<std::string>& override = std::nullopt);

} // namespace corvel::ItemDisplayNameHeuristic
