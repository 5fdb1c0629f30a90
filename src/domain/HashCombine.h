#pragma once

#include <cstddef>

namespace corvel {

/// Mixes `value` into `seed` so that records hash by all their fields.
constexpr std::size_t hashCombine(std::size_t seed, std::size_t value) {
    return seed ^ (value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2));
}

} // namespace corvel
