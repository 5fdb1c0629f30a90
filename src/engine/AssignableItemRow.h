#pragma once

#include "domain/GroupID.h"
#include "domain/ItemID.h"

#include <optional>
#include <string>

namespace corvel {

/// One menu bar item as the settings list it for filing, identified by `id`.
struct AssignableItemRow {
    /// The Item's permanent id, or one made for this run while the store does
    /// not know the item yet.
    ItemID id;
    std::string displayName;
    std::string bundleID;
    /// Absent while the Item is filed into no Group.
    std::optional<GroupID> groupID;
    /// The last move of this Item failed; the user has to move it by hand.
    bool needsAHand = false;

    friend bool operator==(const AssignableItemRow&, const AssignableItemRow&) = default;
};

} // namespace corvel
