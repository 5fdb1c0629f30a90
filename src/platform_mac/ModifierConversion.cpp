#include "platform_mac/ModifierConversion.h"

#include "platform/EventFlags.h"

namespace corvel::mac {

std::uint64_t
ModifierConversion::menuKeyEquivalentMask(const platform::MenuItem::Modifiers& modifiers) {
    using platform::EventFlags;
    return (modifiers.command ? EventFlags::maskCommand : 0) |
           (modifiers.shift ? EventFlags::maskShift : 0) |
           (modifiers.option ? EventFlags::maskAlternate : 0) |
           (modifiers.control ? EventFlags::maskControl : 0);
}

} // namespace corvel::mac
