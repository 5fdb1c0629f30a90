#pragma once

#include <cstdint>

namespace corvel::platform {

/// Carbon's EventHotKeyID: what the application chose to tell its hot keys
/// apart by, handed back with every press.
struct HotKeyID {
    /// An OSType: four characters packed big-endian, e.g. 'Crvl'.
    std::uint32_t signature = 0;
    std::uint32_t id = 0;

    friend bool operator==(const HotKeyID&, const HotKeyID&) = default;
};

} // namespace corvel::platform
