#pragma once

#include <cstdint>

namespace corvel::platform {

/// One of the system's own keyboard shortcuts (Spotlight, Mission Control,
/// input sources, screenshots…), as CopySymbolicHotKeys lists it.
struct SymbolicHotKey {
    /// kHISymbolicHotKeyCode: the virtual key code.
    std::uint32_t keyCode = 0;
    /// kHISymbolicHotKeyModifiers: Carbon modifier bits (HotKeyModifiers).
    std::uint32_t modifiers = 0;
    /// kHISymbolicHotKeyEnabled: the person has not turned it off in System
    /// Settings › Keyboard › Keyboard Shortcuts.
    bool enabled = true;

    friend bool operator==(const SymbolicHotKey&, const SymbolicHotKey&) = default;
};

} // namespace corvel::platform
