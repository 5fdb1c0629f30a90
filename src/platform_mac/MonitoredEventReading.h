#pragma once

#include "platform/MonitoredEvent.h"
#include "platform/Point.h"

#include <cstdint>

namespace corvel::mac {

/// What a global monitor reports of an AppKit event, read into the port's
/// record: the event's type where the ports know it (the platform numbers
/// mouse and key events as the synthetic events do) and null otherwise; the
/// location, which AppKit gives in its bottom-left screen coordinates for
/// another application's event, in the ports' top-left ones; and the
/// modifier flags without the device-dependent lower 16 bits.
struct MonitoredEventReading {
    static constexpr std::uint64_t deviceIndependentFlagsMask = 0xffff0000;

    static platform::MonitoredEvent read(unsigned long type, platform::Point appKitLocation,
                                         double menuBarScreenHeight, std::uint64_t modifierFlags);
};

} // namespace corvel::mac
