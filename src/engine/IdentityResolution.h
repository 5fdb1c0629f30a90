#pragma once

#include "backend/ObservedItem.h"
#include "domain/ItemID.h"

#include <vector>

namespace corvel {

/// Where each observed item went when matched against the stored Items; every
/// observed item is in exactly one of the three lists.
struct IdentityResolution {
    struct Reattachment {
        ObservedItem observed;
        ItemID id;

        friend bool operator==(const Reattachment&, const Reattachment&) = default;
    };

    /// Matched one to one to a stored Item.
    std::vector<Reattachment> reattached;
    /// The store knows the identity, but the counts on screen and in the store
    /// differ, so no item of that identity can be matched safely.
    std::vector<ObservedItem> unresolved;
    /// No stored Item has the identity. (Named so because `new` is taken.)
    std::vector<ObservedItem> newItems;

    friend bool operator==(const IdentityResolution&, const IdentityResolution&) = default;
};

} // namespace corvel
