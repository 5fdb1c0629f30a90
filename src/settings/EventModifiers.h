#pragma once

namespace corvel {

/// The modifiers held during a key press, as the toolkit reports them, named
/// after the keys rather than after any toolkit's flags. Each screen fills it
/// from its own key event.
struct EventModifiers {
    bool command = false;
    bool shift = false;
    bool option = false;
    bool control = false;
    bool capsLock = false;
    /// Reported by some toolkits for keypad and function keys; never part of
    /// a recorded shortcut.
    bool numericPad = false;
    bool function = false;

    friend bool operator==(const EventModifiers&, const EventModifiers&) = default;
};

} // namespace corvel
