#pragma once

#include <cstdint>
#include <optional>

namespace corvel::app {

/// The platform's virtual key code (ANSI layout) for a Qt key, so that a key
/// a person presses in the desktop window reaches the simulated desktop as it
/// would on a Mac. Nothing for keys a Mac keyboard does not have.
std::optional<std::uint16_t> macKeyCode(int qtKey);

} // namespace corvel::app
