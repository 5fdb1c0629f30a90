#pragma once

#include "engine/ItemSearchIndex.h"
#include "engine/SearchableText.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace corvel {

/// Which menu bar items the typed text finds, best first. Pure; runs on
/// every keystroke, so it only compares weights prepared beforehand, and
/// its time grows linearly with the number of items (and with the log of
/// the few that were used recently).
struct ItemSearchMatcher {
    /// How a name holds the typed text, from the strongest hold to the
    /// weakest.
    enum class Match {
        /// The name begins with it.
        prefix,
        /// A later word of the name begins with it.
        wordStart,
        /// It stands somewhere inside the name.
        substring,
        /// Its letters appear in the name in order, with others between
        /// ("hvpn" in "Harbor VPN").
        lettersInOrder,
    };

    /// How `name` holds `text`, or none. Text with no weight is held by no
    /// name.
    static std::optional<Match> match(const SearchableText& text, const SearchableText& name);

    /// Indices into the index's candidates of the items that `text` finds,
    /// by the better match of the display name and the application name,
    /// then the most recently used, then alphabetically by display name,
    /// then in the bar's order. Text with no weight (empty, or spaces and
    /// punctuation only) finds every item, in the bar's order.
    static std::vector<std::size_t> rank(std::string_view text, const ItemSearchIndex& index);
};

} // namespace corvel
