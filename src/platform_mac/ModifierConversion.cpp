#include "platform_mac/ModifierConversion.h"

#include "platform/EventFlags.h"

namespace corvel::mac {

namespace {

struct Pair {
    std::uint64_t eventFlag;
    std::uint32_t carbon;
};

constexpr Pair pairs[] = {
    {platform::EventFlags::maskCommand, ModifierConversion::carbonCommand},
    {platform::EventFlags::maskShift, ModifierConversion::carbonShift},
    {platform::EventFlags::maskAlternate, ModifierConversion::carbonOption},
    {platform::EventFlags::maskControl, ModifierConversion::carbonControl},
};

} // namespace

ModifierConversion::Carbon ModifierConversion::carbon(std::uint64_t eventFlags) {
    Carbon converted;
    std::uint64_t known = 0;
    for (const auto& pair : pairs) {
        known |= pair.eventFlag;
        if (eventFlags & pair.eventFlag)
            converted.modifiers |= pair.carbon;
    }
    converted.unsupported = eventFlags & ~known;
    return converted;
}

std::uint64_t
ModifierConversion::menuKeyEquivalentMask(const platform::MenuItem::Modifiers& modifiers) {
    using platform::EventFlags;
    return (modifiers.command ? EventFlags::maskCommand : 0) |
           (modifiers.shift ? EventFlags::maskShift : 0) |
           (modifiers.option ? EventFlags::maskAlternate : 0) |
           (modifiers.control ? EventFlags::maskControl : 0);
}

} // namespace corvel::mac
