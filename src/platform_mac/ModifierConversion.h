#pragma once

#include "platform/MenuItem.h"

#include <cstdint>

namespace corvel::mac {

/// A menu item's modifier keys in the form AppKit takes: the event flag bits
/// (Shift 0x20000, Control 0x40000, Option 0x80000, Command 0x100000), which
/// AppKit's modifier masks share.
struct ModifierConversion {
    /// An NSMenuItem's key equivalent modifier mask.
    static std::uint64_t menuKeyEquivalentMask(const platform::MenuItem::Modifiers& modifiers);
};

} // namespace corvel::mac
