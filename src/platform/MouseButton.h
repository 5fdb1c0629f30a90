#pragma once

namespace corvel::platform {

enum class MouseButton : int { left = 0, right = 1, center = 2 };

} // namespace corvel::platform
