#pragma once

#include "backend/ItemFrame.h"

#include <optional>

namespace corvel {

/// Under which icon a Strip opened from the keyboard hangs: the Group's own
/// icon where a person can see it, else the primary icon (a Group's icon is
/// pushed off the left edge when the bar is crowded, and stands nowhere
/// before it is placed). Pure.
struct ShortcutStripAnchor {
    /// Frames as the backend reports them, top-left origin; none when
    /// neither icon can be found, and the Strip is then centred.
    static std::optional<ItemFrame> anchor(const std::optional<ItemFrame>& groupIcon,
                                           const std::optional<ItemFrame>& primaryIcon);
};

} // namespace corvel
