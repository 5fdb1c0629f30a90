#pragma once

#include "domain/Group.h"
#include "domain/Item.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// The one document Corvel persists: every Group and every Item, in the group
/// store's list order (not sorted by `order`).
struct CorvelStore {
    /// Looks up one environment variable; nothing when it is unset.
    using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;

    std::int64_t schemaVersion = 1;
    std::vector<Group> groups = {};
    std::vector<Item> items = {};

    /// "store.json" in the folder named after the bundle identifier inside the
    /// user's application-support folder: on Linux `$XDG_DATA_HOME` (an
    /// absolute path) or else `$HOME/.local/share`; on macOS
    /// `$HOME/Library/Application Support`. The folder need not exist yet.
    static std::filesystem::path defaultURL(const EnvironmentLookup& environment);
};

} // namespace corvel

/// Strict: all three keys are required and the first record that fails to
/// decode fails the whole document. Migration happens before this, on the
/// generic value (see StoreDocument).
template <> struct nlohmann::adl_serializer<corvel::CorvelStore> {
    static corvel::CorvelStore from_json(const nlohmann::json& value);
    static void to_json(nlohmann::json& out, const corvel::CorvelStore& store);
};
