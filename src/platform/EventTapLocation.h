#pragma once

namespace corvel::platform {

/// Where a synthetic event enters the event stream, with the platform's
/// values.
enum class EventTapLocation : int {
    hidEventTap = 0,
    sessionEventTap = 1,
    annotatedSessionEventTap = 2,
};

} // namespace corvel::platform
