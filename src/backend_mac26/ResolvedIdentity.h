#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

namespace corvel {

/// What the accessibility scan learnt about one menu bar window: the
/// application that put the extra there and the extra's name.
struct ResolvedIdentity {
    std::string bundleID;
    std::string title;

    friend bool operator==(const ResolvedIdentity&, const ResolvedIdentity&) = default;
};

/// Resolved identities by window number.
using ResolvedIdentities = std::unordered_map<std::uint32_t, ResolvedIdentity>;

} // namespace corvel
