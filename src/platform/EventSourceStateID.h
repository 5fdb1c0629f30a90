#pragma once

namespace corvel::platform {

/// Whose key and button state a synthetic event source reflects, with the
/// platform's values.
enum class EventSourceStateID : int {
    privateState = -1,
    combinedSessionState = 0,
    hidSystemState = 1,
};

} // namespace corvel::platform
