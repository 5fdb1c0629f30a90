#pragma once

namespace corvel::platform {

/// Integer fields of an event by number, with the platform's values.
struct EventField {
    static constexpr int mouseEventClickState = 1;
    static constexpr int mouseEventButtonNumber = 3;
    static constexpr int keyboardEventKeycode = 9;
    /// The process an event is addressed to.
    static constexpr int eventTargetUnixProcessID = 40;
    /// Free for the poster's own data.
    static constexpr int eventSourceUserData = 42;
    /// Not documented by the platform: a window number the window server
    /// reads when it routes a mouse event.
    static constexpr int windowID = 51;
    static constexpr int mouseEventWindowUnderMousePointer = 91;
    static constexpr int mouseEventWindowUnderMousePointerThatCanHandleThisEvent = 92;
};

} // namespace corvel::platform
