#pragma once

#include "platform/Accessibility.h"

namespace corvel {

/// The Accessibility permission, for the launch sequence and onboarding.
class AccessibilityPermission {
  public:
    static bool isTrusted(const platform::Accessibility& accessibility);
    /// Lets the platform prompt the person ({"AXTrustedCheckOptionPrompt": true});
    /// answers whether Corvel is trusted now.
    static bool requestAccess(platform::Accessibility& accessibility);
};

} // namespace corvel
