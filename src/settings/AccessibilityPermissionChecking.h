#pragma once

namespace corvel {

/// Whether Corvel may use the accessibility interface, and a way to ask for
/// it. The onboarding screen depends on this rather than on the platform so
/// that it can be driven by a substitute. Main thread only.
class AccessibilityPermissionChecking {
  public:
    virtual ~AccessibilityPermissionChecking() = default;

    /// Never asks the person.
    virtual bool isTrusted() const = 0;
    /// Asks the platform (which may show its own prompt) and answers whether
    /// the process is trusted now; a pending request answers false.
    virtual bool requestAccess() = 0;
};

} // namespace corvel
