#pragma once

#include "platform/EventSourceStateID.h"

#include <cstdint>
#include <map>

namespace corvel::platform {

/// A source of synthetic events and how local input is suppressed while its
/// events play. Created by SyntheticEvents::createSource, then configured.
struct EventSource {
    /// Suppression states, with the platform's values.
    static constexpr int suppressionInterval = 0;
    static constexpr int remoteMouseDrag = 1;
    /// Local-event filter bits, with the platform's values.
    static constexpr std::uint32_t permitLocalMouseEvents = 1;
    static constexpr std::uint32_t permitLocalKeyboardEvents = 2;
    static constexpr std::uint32_t permitSystemDefinedEvents = 4;

    /// Given by the creator; tells sources apart in the events they made.
    std::uint64_t sourceID = 0;
    EventSourceStateID stateID = EventSourceStateID::hidSystemState;
    /// Filter per suppression state; a state without an entry suppresses all.
    std::map<int, std::uint32_t> localEventsFilters;
    /// Seconds during which local input is suppressed after an event.
    double localEventsSuppressionInterval = 0.25;

    void setLocalEventsFilterDuringSuppressionState(std::uint32_t filter, int state) {
        localEventsFilters[state] = filter;
    }
    void setLocalEventsSuppressionInterval(double seconds) {
        localEventsSuppressionInterval = seconds;
    }

    friend bool operator==(const EventSource&, const EventSource&) = default;
};

} // namespace corvel::platform
