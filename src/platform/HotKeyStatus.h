#pragma once

#include <cstdint>

namespace corvel::platform {

/// The OSStatus values the hot key calls answer (MacErrors.h and
/// CarbonEvents.h). Apple has no current page for these; the values are
/// those of the headers as quoted elsewhere, to be confirmed on a Mac.
struct HotKeyStatus {
    using OSStatus = std::int32_t;

    static constexpr OSStatus noErr = 0;
    /// A parameter was wrong, such as a hot key or handler that is not
    /// registered.
    static constexpr OSStatus paramErr = -50;
    /// The combination is registered already: by this application, or
    /// exclusively by another one, or by another one while this registration
    /// asks for it exclusively.
    static constexpr OSStatus eventHotKeyExistsErr = -9878;
    /// The combination cannot be a hot key. Since macOS 15 a combination
    /// whose only modifiers are Option, or Option and Shift, is refused; the
    /// value answered then has not been confirmed, so any status other than
    /// noErr and eventHotKeyExistsErr counts as this refusal.
    static constexpr OSStatus eventHotKeyInvalidErr = -9879;
};

} // namespace corvel::platform
