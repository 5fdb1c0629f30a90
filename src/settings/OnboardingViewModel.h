#pragma once

#include "settings/AccessibilityPermissionChecking.h"
#include "settings/Observable.h"

#include <memory>

namespace corvel {

/// The state behind the onboarding screen: whether Accessibility is granted.
/// It never polls; the status changes only through requestAccess() and
/// refresh(), which the screen's two buttons call. Main thread only.
class OnboardingViewModel {
  public:
    /// Reads the permission once, at construction.
    explicit OnboardingViewModel(std::shared_ptr<AccessibilityPermissionChecking> permission);

    /// Published: true shows "Accessibility granted" and "Continue".
    const Observable<bool>& isTrusted() const { return isTrusted_; }

    /// Asks the platform; isTrusted becomes its answer.
    void requestAccess();
    /// Reads the permission again; isTrusted becomes its answer.
    void refresh();

  private:
    std::shared_ptr<AccessibilityPermissionChecking> permission_;
    Observable<bool> isTrusted_;
};

} // namespace corvel
