#pragma once

namespace corvel::platform {

/// How an application shows itself, with the platform's values.
enum class ActivationPolicy : int {
    regular = 0,
    accessory = 1,
    prohibited = 2,
};

} // namespace corvel::platform
