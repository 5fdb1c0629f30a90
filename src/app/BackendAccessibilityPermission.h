#pragma once

#include "platform/Accessibility.h"
#include "settings/AccessibilityPermissionChecking.h"

#include <memory>

namespace corvel::app {

/// Gives the onboarding screens their permission check through the macOS
/// backend's permission functions. Holds nothing but the port; main thread.
class BackendAccessibilityPermission final : public AccessibilityPermissionChecking {
  public:
    explicit BackendAccessibilityPermission(std::shared_ptr<platform::Accessibility> accessibility)
        : accessibility_(std::move(accessibility)) {}

    bool isTrusted() const override;
    bool requestAccess() override;

  private:
    std::shared_ptr<platform::Accessibility> accessibility_;
};

} // namespace corvel::app
