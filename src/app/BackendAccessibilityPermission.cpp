#include "app/BackendAccessibilityPermission.h"

#include "backend_mac26/AccessibilityPermission.h"

namespace corvel::app {

bool BackendAccessibilityPermission::isTrusted() const {
    return AccessibilityPermission::isTrusted(*accessibility_);
}

bool BackendAccessibilityPermission::requestAccess() {
    return AccessibilityPermission::requestAccess(*accessibility_);
}

} // namespace corvel::app
