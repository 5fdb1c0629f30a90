#pragma once

namespace corvel::platform {

/// Event types, with the platform's values (shared by synthetic events and
/// monitored events).
enum class EventType : int {
    null = 0,
    leftMouseDown = 1,
    leftMouseUp = 2,
    rightMouseDown = 3,
    rightMouseUp = 4,
    mouseMoved = 5,
    leftMouseDragged = 6,
    rightMouseDragged = 7,
    keyDown = 10,
    keyUp = 11,
    flagsChanged = 12,
};

} // namespace corvel::platform
