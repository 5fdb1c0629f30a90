#pragma once

#include "domain/ItemID.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// One menu bar item as the item search lists it, identified by `id`.
struct ItemSearchRow {
    /// The Item's permanent id, or the one made for this run while the store
    /// does not know the item; stable for the live item.
    ItemID id;
    /// The name the person gave the Item, else the one the menu bar gives.
    std::string displayName;
    std::string applicationName;
    /// Lets the panel show the application's icon when there is no live one.
    std::string bundleID;
    /// Where the item lives: "Menu Bar", its Group's name, or "Hidden Group".
    std::string place;
    /// A live picture of the item, PNG; absent until one has been captured.
    std::optional<std::vector<std::uint8_t>> iconPNG;

    friend bool operator==(const ItemSearchRow&, const ItemSearchRow&) = default;
};

} // namespace corvel
