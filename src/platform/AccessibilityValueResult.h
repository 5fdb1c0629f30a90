#pragma once

#include "platform/AccessibilityError.h"
#include "platform/PlatformValue.h"

#include <optional>

namespace corvel::platform {

/// The answer to an attribute read: a value exactly when `error` is success.
struct AccessibilityValueResult {
    AccessibilityError error = AccessibilityError::failure;
    std::optional<PlatformValue> value;

    static AccessibilityValueResult success(PlatformValue value) {
        return {AccessibilityError::success, std::move(value)};
    }
    static AccessibilityValueResult failed(AccessibilityError error) {
        return {error, std::nullopt};
    }
};

} // namespace corvel::platform
