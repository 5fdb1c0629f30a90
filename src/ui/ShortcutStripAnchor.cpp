#include "ui/ShortcutStripAnchor.h"

namespace corvel {

namespace {

// The bar lays items out from the right edge, so only the left edge can
// push an icon out of sight, wholly or in part.
bool isInView(const ItemFrame& frame) {
    return frame.width > 0 && frame.height > 0 && frame.x >= 0;
}

} // namespace

std::optional<ItemFrame> ShortcutStripAnchor::anchor(const std::optional<ItemFrame>& groupIcon,
                                                     const std::optional<ItemFrame>& primaryIcon) {
    if (groupIcon && isInView(*groupIcon))
        return groupIcon;
    return primaryIcon;
}

} // namespace corvel
