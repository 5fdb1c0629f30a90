#pragma once

#include <string_view>

namespace corvel {

/// The process environment variable that, holding exactly "1", lets a
/// backend's recoverFromGhosts() restart the process that hosts the menu bar
/// items. The engine sets it before a confirmed repair and the backend reads
/// it, so both name it from here rather than from the backend interface: it is
/// a rule of one implementation, not part of what every backend offers.
inline constexpr std::string_view allowHostRestartVariable = "CORVEL_ALLOW_HOST_RESTART";

} // namespace corvel
