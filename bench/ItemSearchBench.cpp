// Cost of finding items as a person types: one keystroke ranks every item of
// the menu bar again. Names are made from syllables, so that short text finds
// many of them, as it does in a crowded bar; some carry accents and capitals.
#include "engine/ItemSearchMatcher.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace corvel {
namespace {

const char* const syllables[] = {"har",  "bor",   "vpn",  "lu",  "men",  "drift", "wood", "Pebble",
                                 "sync", "Orr",   "ery",  "cob", "ble",  "Sun",   "dial", "mos",
                                 "grid", "Émber", "stat", "kés", "trel", "mail",  "wa",   "fàrer"};
constexpr std::size_t syllableCount = sizeof(syllables) / sizeof(syllables[0]);

std::string nameOf(std::size_t seed, std::size_t words) {
    std::string name;
    for (std::size_t word = 0; word < words; ++word) {
        if (word > 0)
            name += ' ';
        name += syllables[(seed * 7 + word * 5) % syllableCount];
        name += syllables[(seed / 3 + word * 11) % syllableCount];
    }
    return name;
}

/// Ten items were pressed from the search this run.
ItemSearchIndex indexOf(std::size_t count) {
    std::vector<ItemSearchCandidate> candidates;
    candidates.reserve(count);
    for (std::size_t index = 0; index < count; ++index)
        candidates.push_back({SearchableText::of(nameOf(index, 1 + index % 3)),
                              SearchableText::of(nameOf(index / 2, 2)),
                              index % (count / 10) == 0 ? index + 1 : 0});
    return ItemSearchIndex::of(std::move(candidates));
}

/// One keystroke: the typed text weighed and every item ranked against it.
void keystroke(benchmark::State& state, const char* text) {
    const auto index = indexOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ItemSearchMatcher::rank(text, index));
    state.SetComplexityN(state.range(0));
}

/// Opening the panel: every name weighed once and put in order.
void prepareIndex(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(indexOf(static_cast<std::size_t>(state.range(0))));
    state.SetComplexityN(state.range(0));
}

// "h" holds in most names somewhere; "hvpn" only as letters in order;
// "drift" mostly as a prefix or word start.
BENCHMARK_CAPTURE(keystroke, oneLetter, "h")->RangeMultiplier(10)->Range(100, 10000)->Complexity();
BENCHMARK_CAPTURE(keystroke, lettersInOrder, "hvpn")
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Complexity();
BENCHMARK_CAPTURE(keystroke, word, "drift")->RangeMultiplier(10)->Range(100, 10000)->Complexity();
BENCHMARK(prepareIndex)->RangeMultiplier(10)->Range(100, 10000)->Complexity();

} // namespace
} // namespace corvel
