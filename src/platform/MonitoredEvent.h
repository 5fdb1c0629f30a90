#pragma once

#include "platform/EventType.h"
#include "platform/Point.h"

#include <cstdint>

namespace corvel::platform {

/// An input event seen by a global monitor.
struct MonitoredEvent {
    EventType type = EventType::null;
    /// Global screen points, origin top left.
    Point location;
    std::uint64_t modifierFlags = 0;

    friend bool operator==(const MonitoredEvent&, const MonitoredEvent&) = default;
};

} // namespace corvel::platform
