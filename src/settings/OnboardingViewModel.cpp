#include "settings/OnboardingViewModel.h"

#include <stdexcept>
#include <utility>

namespace corvel {

OnboardingViewModel::OnboardingViewModel(
    std::shared_ptr<AccessibilityPermissionChecking> permission)
    : permission_(std::move(permission)) {
    if (!permission_)
        throw std::invalid_argument("OnboardingViewModel needs a permission checker");
    isTrusted_.set(permission_->isTrusted());
}

void OnboardingViewModel::requestAccess() {
    isTrusted_.set(permission_->requestAccess());
}

void OnboardingViewModel::refresh() {
    isTrusted_.set(permission_->isTrusted());
}

} // namespace corvel
