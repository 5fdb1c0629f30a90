#pragma once

#include "domain/GroupID.h"
#include "domain/KeyboardShortcut.h"

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace corvel {

/// One named Group of Items, shown in the menu bar as one icon of Corvel's
/// own. Identified by `id`, which is never reassigned; the record as a whole
/// has no equality.
struct Group {
    GroupID id;
    std::string name;
    /// A symbol name from the platform's catalogue, e.g. "folder.fill".
    std::string symbolName;
    std::optional<KeyboardShortcut> shortcut = std::nullopt;
    /// Smaller stands further left among the Group icons. Need not be
    /// contiguous or distinct: consumers sort stably, so ties keep list order.
    std::int64_t order = 0;
};

} // namespace corvel

template <> struct nlohmann::adl_serializer<corvel::Group> {
    static corvel::Group from_json(const nlohmann::json& value);
    /// An absent shortcut leaves the key out rather than writing null.
    static void to_json(nlohmann::json& out, const corvel::Group& group);
};
