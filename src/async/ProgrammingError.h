#pragma once

#include <string_view>

namespace corvel::async {

/// Stops the process with "Corvel: <message>" on standard error. For misuse of
/// the runtime that would otherwise corrupt memory or hang a task for good
/// (a loop destroyed in the wrong order, a second consumer on a channel):
/// nothing sensible can go on, and the message names the mistake at once.
[[noreturn]] void programmingError(std::string_view message);

} // namespace corvel::async
