#pragma once

namespace corvel {

/// Whether Screen Recording is granted, and a way to ask for it. The settings
/// depend on this rather than on the platform so that they can be driven by a
/// substitute. Main thread only.
class ScreenRecordingPermissionChecking {
  public:
    virtual ~ScreenRecordingPermissionChecking() = default;

    /// Never asks the person.
    virtual bool isGranted() const = 0;
    /// Asks for the permission (the platform may show its request) and
    /// answers whether it is granted now.
    virtual bool requestAccess() = 0;
};

} // namespace corvel
