#pragma once

#include <cstdint>

namespace corvel::platform {

/// The modifier bits of Carbon hot keys (Events.h), which are not the event
/// flags a key press carries: RegisterEventHotKey's inHotKeyModifiers and the
/// kHISymbolicHotKeyModifiers of the system's own shortcuts use these.
struct HotKeyModifiers {
    static constexpr std::uint32_t cmdKey = 0x0100;     // cmdKeyBit 8
    static constexpr std::uint32_t shiftKey = 0x0200;   // shiftKeyBit 9
    static constexpr std::uint32_t alphaLock = 0x0400;  // alphaLockBit 10
    static constexpr std::uint32_t optionKey = 0x0800;  // optionKeyBit 11
    static constexpr std::uint32_t controlKey = 0x1000; // controlKeyBit 12

    /// The Carbon bits of event flags (Command 0x100000 → cmdKey, Shift
    /// 0x20000 → shiftKey, Option 0x80000 → optionKey, Control 0x40000 →
    /// controlKey). Caps Lock is left out: a hot key registered with
    /// alphaLock would answer only while Caps Lock is on. Other bits are
    /// dropped.
    static std::uint32_t fromEventFlags(std::uint64_t eventFlags);
};

} // namespace corvel::platform
