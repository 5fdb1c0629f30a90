#include "platform_mac/MonitoredEventReading.h"

#include "platform_mac/AppKitCoordinates.h"

namespace corvel::mac {

namespace {

platform::EventType eventType(unsigned long type) {
    using platform::EventType;
    switch (type) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 10:
    case 11:
    case 12:
        return static_cast<EventType>(type);
    default:
        return EventType::null;
    }
}

} // namespace

platform::MonitoredEvent MonitoredEventReading::read(unsigned long type,
                                                     platform::Point appKitLocation,
                                                     double menuBarScreenHeight,
                                                     std::uint64_t modifierFlags) {
    return {eventType(type), AppKitCoordinates::flipped(appKitLocation, menuBarScreenHeight),
            modifierFlags & deviceIndependentFlagsMask};
}

} // namespace corvel::mac
