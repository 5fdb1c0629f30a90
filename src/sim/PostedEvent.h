#pragma once

#include "async/Executor.h"
#include "platform/EventTapLocation.h"
#include "platform/SyntheticEvent.h"

#include <cstdint>
#include <optional>

namespace corvel::sim {

/// One post of a synthetic event, as the simulated window server saw it.
struct PostedEvent {
    platform::SyntheticEvent event;
    /// Set for a post to a tap, absent for a post to a process.
    std::optional<platform::EventTapLocation> tap;
    /// Set for a post to a process.
    std::optional<std::int32_t> pid;
    /// A second post of an event already delivered; it had no effect.
    bool duplicate = false;
    async::TimePoint at{};
    /// Posted while this process was not trusted for accessibility: dropped.
    bool ignored = false;
};

} // namespace corvel::sim
