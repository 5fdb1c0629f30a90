#include "engine/ItemSearchMatcher.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace corvel {

namespace {

using Weights = std::vector<std::uint16_t>;

bool holdsAt(const Weights& name, std::size_t at, const Weights& text) {
    return name.size() - at >= text.size() &&
           std::equal(text.begin(), text.end(), name.begin() + static_cast<std::ptrdiff_t>(at));
}

bool holdsInOrder(const Weights& name, const Weights& text) {
    auto next = name.begin();
    for (const auto weight : text) {
        next = std::find(next, name.end(), weight);
        if (next == name.end())
            return false;
        ++next;
    }
    return true;
}

std::optional<ItemSearchMatcher::Match> better(std::optional<ItemSearchMatcher::Match> a,
                                               std::optional<ItemSearchMatcher::Match> b) {
    if (!a)
        return b;
    if (!b)
        return a;
    return std::min(*a, *b);
}

} // namespace

std::optional<ItemSearchMatcher::Match> ItemSearchMatcher::match(const SearchableText& text,
                                                                 const SearchableText& name) {
    const auto& typed = text.primaries;
    const auto& weights = name.primaries;
    if (typed.empty() || typed.size() > weights.size())
        return std::nullopt;
    if (holdsAt(weights, 0, typed))
        return Match::prefix;
    for (const auto start : name.wordStarts)
        if (start > 0 && holdsAt(weights, start, typed))
            return Match::wordStart;
    if (std::search(weights.begin(), weights.end(), typed.begin(), typed.end()) != weights.end())
        return Match::substring;
    if (holdsInOrder(weights, typed))
        return Match::lettersInOrder;
    return std::nullopt;
}

std::vector<std::size_t> ItemSearchMatcher::rank(std::string_view text,
                                                 const ItemSearchIndex& index) {
    const auto& candidates = index.candidates;
    const auto typed = SearchableText::of(text);
    std::vector<std::size_t> order;
    if (typed.primaries.empty()) {
        order.resize(candidates.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        return order;
    }
    // Each item is weighed in the bar's order, where it lies in memory; the
    // items are then collected alphabetically, which fills each kind of
    // match already in name order. So no keystroke sorts the whole bar: only
    // the few items used this run move up, within their kind.
    constexpr std::int8_t notFound = -1;
    std::vector<std::int8_t> held(candidates.size(), notFound);
    for (std::size_t at = 0; at < candidates.size(); ++at) {
        const auto& candidate = candidates[at];
        if (const auto found = better(match(typed, candidate.displayName),
                                      match(typed, candidate.applicationName)))
            held[at] = static_cast<std::int8_t>(*found);
    }
    constexpr auto kinds = static_cast<std::size_t>(Match::lettersInOrder) + 1;
    std::array<std::vector<std::size_t>, kinds> byMatch;
    for (const auto at : index.alphabetical)
        if (held[at] != notFound)
            byMatch[static_cast<std::size_t>(held[at])].push_back(at);
    for (auto& found : byMatch) {
        const auto unused = std::stable_partition(
            found.begin(), found.end(), [&](std::size_t at) { return candidates[at].lastUse > 0; });
        std::stable_sort(found.begin(), unused, [&](std::size_t a, std::size_t b) {
            return candidates[a].lastUse > candidates[b].lastUse;
        });
        order.insert(order.end(), found.begin(), found.end());
    }
    return order;
}

} // namespace corvel
