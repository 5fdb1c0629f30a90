#pragma once

#include "backend/BackendItemToken.h"
#include "backend/MenuBarChangeEvent.h"
#include "backend/ObservedItem.h"
#include "platform/Rect.h"

#include <optional>
#include <unordered_map>
#include <vector>

namespace corvel {

/// Successive readings of the menu bar turned into change events (pure).
class MenuBarPollDiff {
  public:
    using ItemsByToken = std::unordered_map<BackendItemToken, ObservedItem>;

    /// Appearances and changes in the order of `current`, then the
    /// disappearances in no particular order. `previous` becomes the current
    /// reading by token; of two items with one token the first wins.
    static std::vector<MenuBarChangeEvent> diff(const std::vector<ObservedItem>& current,
                                                ItemsByToken& previous);

    /// Absent bounds, or a width or height whose magnitude is not above 0.
    static bool isBoundsDegenerate(const std::optional<platform::Rect>& bounds);
};

} // namespace corvel
