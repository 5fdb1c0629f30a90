#pragma once

#include <cstdint>
#include <functional>
#include <nlohmann/json_fwd.hpp>

namespace corvel {

/// A key combination recorded for a Group: stored, checked for conflicts and
/// registered as a global hot key that opens the Group's Strip.
struct KeyboardShortcut {
    // The platform's modifier-flag bits that Corvel sets and reads. Any other
    // bit in the mask is carried through untouched.
    static constexpr std::uint64_t shift = 0x20000;
    static constexpr std::uint64_t control = 0x40000;
    static constexpr std::uint64_t option = 0x80000;
    static constexpr std::uint64_t command = 0x100000;

    /// The platform's virtual key code: a position on the keyboard, not a character.
    std::uint16_t keyCode = 0;
    std::uint64_t modifierFlags = 0;

    /// True when every bit of `modifiers` is set, whatever else the mask holds.
    constexpr bool holds(std::uint64_t modifiers) const {
        return (modifierFlags & modifiers) == modifiers;
    }

    friend bool operator==(const KeyboardShortcut&, const KeyboardShortcut&) = default;
};

} // namespace corvel

template <> struct std::hash<corvel::KeyboardShortcut> {
    std::size_t operator()(const corvel::KeyboardShortcut& shortcut) const noexcept;
};

template <> struct nlohmann::adl_serializer<corvel::KeyboardShortcut> {
    static corvel::KeyboardShortcut from_json(const nlohmann::json& value);
    static void to_json(nlohmann::json& out, const corvel::KeyboardShortcut& shortcut);
};
