#pragma once

#include "domain/ItemID.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// One item of a Group's Strip, identified by `id`.
struct StripRow {
    /// The Strip's own identifier for the live item, stable for the run; not
    /// the store's ItemID.
    ItemID id;
    std::string displayName;
    /// Lets the Strip show the application's icon when there is no live one.
    std::string bundleID;
    /// A live picture of the item, PNG; absent until one has been captured.
    std::optional<std::vector<std::uint8_t>> iconPNG;

    friend bool operator==(const StripRow&, const StripRow&) = default;
};

} // namespace corvel
