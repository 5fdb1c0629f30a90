#pragma once

#include "domain/GroupID.h"
#include "domain/ItemID.h"
#include "domain/ItemIdentity.h"

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace corvel {

/// One menu bar item of another application that Corvel has met, filed into
/// a Group or not. Identified by `id`, which is never reassigned; the record
/// as a whole has no equality.
struct Item {
    ItemID id;
    ItemIdentity identity;
    /// The item's index, left to right, among the observed items when it was
    /// recorded; tells apart items that share one identity.
    std::int64_t ordinal = 0;
    /// WellKnownGroup::hidden for the Hidden Group; absent when the Item is
    /// filed nowhere (an Unresolved Item).
    std::optional<GroupID> groupID = std::nullopt;
    /// The user's own name for the Item; absent means derive one.
    std::optional<std::string> displayName = std::nullopt;
};

} // namespace corvel

template <> struct nlohmann::adl_serializer<corvel::Item> {
    static corvel::Item from_json(const nlohmann::json& value);
    /// Absent optionals leave their keys out rather than writing null.
    static void to_json(nlohmann::json& out, const corvel::Item& item);
};
