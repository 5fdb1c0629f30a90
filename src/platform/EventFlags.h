#pragma once

#include <cstdint>

namespace corvel::platform {

/// Modifier flag bits of an event, with the platform's values.
struct EventFlags {
    static constexpr std::uint64_t maskShift = 0x20000;
    static constexpr std::uint64_t maskControl = 0x40000;
    static constexpr std::uint64_t maskAlternate = 0x80000;
    static constexpr std::uint64_t maskCommand = 0x100000;
};

} // namespace corvel::platform
