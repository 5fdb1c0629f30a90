#include "platform_mac/AccessibilityCalls.h"

#include "platform/Accessibility.h"

namespace corvel::mac {

using platform::AccessibilityError;

bool AccessibilityCalls::isNamed(std::int32_t code) {
    switch (static_cast<AccessibilityError>(code)) {
    case AccessibilityError::success:
    case AccessibilityError::failure:
    case AccessibilityError::illegalArgument:
    case AccessibilityError::invalidUIElement:
    case AccessibilityError::cannotComplete:
    case AccessibilityError::attributeUnsupported:
    case AccessibilityError::actionUnsupported:
    case AccessibilityError::notImplemented:
    case AccessibilityError::apiDisabled:
    case AccessibilityError::noValue:
        return true;
    }
    return false;
}

AccessibilityError AccessibilityCalls::error(std::int32_t code) {
    return isNamed(code) ? static_cast<AccessibilityError>(code) : AccessibilityError::failure;
}

AccessibilityCalls::TrustCheckOptions
AccessibilityCalls::trustCheckOptions(const platform::PlatformValue::Dictionary& options) {
    TrustCheckOptions read;
    for (const auto& [key, value] : options) {
        const auto flag = value.asBoolean();
        if (key == platform::Accessibility::trustedCheckOptionPrompt && flag)
            read.prompt = *flag;
        else
            read.ignored.push_back(key);
    }
    return read;
}

} // namespace corvel::mac
