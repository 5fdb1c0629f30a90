#pragma once

#include "platform/ActivationPolicy.h"

namespace corvel::platform {

/// This application's standing among the others. Main thread only.
class ApplicationActivation {
  public:
    virtual ~ApplicationActivation() = default;

    virtual void setActivationPolicy(ActivationPolicy policy) = 0;
    /// Brings this application to the front.
    virtual void activateIgnoringOtherApps(bool ignoringOtherApps) = 0;
};

} // namespace corvel::platform
