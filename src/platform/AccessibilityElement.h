#pragma once

#include <cstdint>

namespace corvel::platform {

/// An opaque reference to one element of an application's accessibility
/// tree. `id` 0 is the application element itself; other values are the
/// platform's own and mean nothing to the caller.
struct AccessibilityElement {
    std::int32_t pid = 0;
    std::uint64_t id = 0;

    friend bool operator==(const AccessibilityElement&, const AccessibilityElement&) = default;
};

} // namespace corvel::platform
