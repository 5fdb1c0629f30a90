#pragma once

#include "backend/BackendItemToken.h"
#include "backend/ItemFrame.h"
#include "domain/ItemIdentity.h"

#include <cstddef>
#include <functional>
#include <optional>

namespace corvel {

/// One foreign menu bar item as the backend sees it now. The record is
/// identified by `id`: two readings of one item with different frames are
/// different values of the same item. Own status items are never observed.
struct ObservedItem {
    BackendItemToken id;
    ItemIdentity identity;
    /// True while the item sits inside the hidden region, left of the spacer.
    bool isInHiddenRegion = false;
    /// Absent when the platform reports no bounds.
    std::optional<ItemFrame> frame;

    friend bool operator==(const ObservedItem&, const ObservedItem&) = default;
};

} // namespace corvel

template <> struct std::hash<corvel::ObservedItem> {
    std::size_t operator()(const corvel::ObservedItem& item) const noexcept;
};
