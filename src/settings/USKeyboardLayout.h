#pragma once

#include "settings/EventModifiers.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvel::USKeyboardLayout {

/// The platform's Caps Lock modifier bit. It counts in a recorded shortcut
/// (so Caps Lock makes a different shortcut) but has no sign of its own.
inline constexpr std::uint64_t capsLock = 0x10000;

/// The key code of a US keyboard key that types `character` (one character,
/// UTF-8), lower-cased first; none for a character outside the 48-key table
/// (the 47 keys that type a character, and the space bar).
std::optional<std::uint16_t> keyCode(std::string_view character);

/// The label printed on the key with `keyCode` ("K", "1", "]", "Space"); none for a
/// code outside the table.
std::optional<std::string_view> label(std::uint16_t keyCode);

/// The platform's modifier-flag mask for Command, Shift, Option, Control and
/// Caps Lock; other modifiers add nothing.
std::uint64_t modifierFlags(const EventModifiers& modifiers);

/// The first character of `text` as a person sees it (a base character and
/// the marks that combine with it), or empty text when there is none.
std::string_view firstCharacter(std::string_view text);

} // namespace corvel::USKeyboardLayout
