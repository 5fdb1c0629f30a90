#include "backend_mac26/AccessibilityPermission.h"

#include <string>

namespace corvel {

bool AccessibilityPermission::isTrusted(const platform::Accessibility& accessibility) {
    return accessibility.isProcessTrusted();
}

bool AccessibilityPermission::requestAccess(platform::Accessibility& accessibility) {
    const platform::PlatformValue::Dictionary options{
        {std::string(platform::Accessibility::trustedCheckOptionPrompt),
         platform::PlatformValue::boolean(true)}};
    return accessibility.isProcessTrustedWithOptions(options);
}

} // namespace corvel
