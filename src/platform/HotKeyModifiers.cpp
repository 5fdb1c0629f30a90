#include "platform/HotKeyModifiers.h"

#include "platform/EventFlags.h"

namespace corvel::platform {

std::uint32_t HotKeyModifiers::fromEventFlags(std::uint64_t eventFlags) {
    std::uint32_t modifiers = 0;
    if (eventFlags & EventFlags::maskCommand)
        modifiers |= cmdKey;
    if (eventFlags & EventFlags::maskShift)
        modifiers |= shiftKey;
    if (eventFlags & EventFlags::maskAlternate)
        modifiers |= optionKey;
    if (eventFlags & EventFlags::maskControl)
        modifiers |= controlKey;
    return modifiers;
}

} // namespace corvel::platform
