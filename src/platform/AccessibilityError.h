#pragma once

namespace corvel::platform {

/// The accessibility interface's result codes, with the platform's values.
enum class AccessibilityError : int {
    success = 0,
    failure = -25200,
    illegalArgument = -25201,
    invalidUIElement = -25202,
    cannotComplete = -25204,
    attributeUnsupported = -25205,
    actionUnsupported = -25206,
    notImplemented = -25208,
    apiDisabled = -25211,
    noValue = -25212,
};

} // namespace corvel::platform
