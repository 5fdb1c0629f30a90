#pragma once

#include "platform/MenuItem.h"

#include <cstdint>

namespace corvel::mac {

/// Modifier keys in the forms the platform's older interfaces take. The
/// ports and the store use the event flag bits (Shift 0x20000, Control
/// 0x40000, Option 0x80000, Command 0x100000), which AppKit's modifier masks
/// share; Carbon's hot keys number the same keys differently.
struct ModifierConversion {
    /// Carbon's modifier bits.
    static constexpr std::uint32_t carbonCommand = 0x0100;
    static constexpr std::uint32_t carbonShift = 0x0200;
    static constexpr std::uint32_t carbonOption = 0x0800;
    static constexpr std::uint32_t carbonControl = 0x1000;

    struct Carbon {
        std::uint32_t modifiers = 0;
        /// Bits of the event flags that Carbon's hot keys cannot carry (Caps
        /// Lock, Function, the device-dependent bits); a registration without
        /// them would fire for a combination the person did not record.
        std::uint64_t unsupported = 0;
    };

    static Carbon carbon(std::uint64_t eventFlags);
    /// An NSMenuItem's key equivalent modifier mask.
    static std::uint64_t menuKeyEquivalentMask(const platform::MenuItem::Modifiers& modifiers);
};

} // namespace corvel::mac
