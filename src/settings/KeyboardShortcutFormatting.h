#pragma once

#include "domain/KeyboardShortcut.h"

#include <string>

namespace corvel::KeyboardShortcutFormatting {

/// The text a person reads for a shortcut: the signs ⌃ ⌥ ⇧ ⌘ of the held
/// modifiers in that fixed order, then the key's label, or "?" for a key
/// outside the US table. Caps Lock shows nothing. E.g. "⇧⌘K".
std::string string(const KeyboardShortcut& shortcut);

} // namespace corvel::KeyboardShortcutFormatting
