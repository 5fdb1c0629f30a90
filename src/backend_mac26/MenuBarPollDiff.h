#pragma once

#include "backend/BackendItemToken.h"
#include "backend/MenuBarChangeEvent.h"
#include "backend/ObservedItem.h"
#include "platform/Rect.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace corvel {

/// Successive readings of the menu bar turned into change events (pure).
class MenuBarPollDiff {
  public:
    /// The previous reading by token. Each entry remembers the last diff
    /// that saw it, so a diff needs no set of its own.
    class ItemsByToken {
      public:
        std::size_t size() const { return entries_.size(); }
        bool contains(const BackendItemToken& token) const { return entries_.contains(token); }
        /// Throws std::out_of_range for a token it does not hold.
        const ObservedItem& at(const BackendItemToken& token) const {
            return entries_.at(token).item;
        }

      private:
        friend class MenuBarPollDiff;
        struct Entry {
            ObservedItem item;
            std::uint64_t seenIn = 0;
        };
        std::unordered_map<BackendItemToken, Entry> entries_;
        std::uint64_t diffs_ = 0;
    };

    /// Appearances and changes in the order of `current`, then the
    /// disappearances in no particular order. `previous` becomes the current
    /// reading by token; of two items with one token the first wins.
    static std::vector<MenuBarChangeEvent> diff(const std::vector<ObservedItem>& current,
                                                ItemsByToken& previous);

    /// Absent bounds, or a width or height whose magnitude is not above 0.
    static bool isBoundsDegenerate(const std::optional<platform::Rect>& bounds);
};

} // namespace corvel
