#pragma once

#include "platform/ApplicationActivation.h"
#include "platform/SystemLog.h"

#include <memory>

namespace corvel::mac {

/// This application's activation policy and activation (NSApplication).
/// Main thread only; the application object exists once Qt's application
/// does.
class MacApplicationActivation final : public platform::ApplicationActivation {
  public:
    explicit MacApplicationActivation(std::shared_ptr<platform::SystemLog> log);

    void setActivationPolicy(platform::ActivationPolicy policy) override;
    /// Asks to be activated; since macOS 14 an application is activated
    /// when the system agrees, and the flag no longer forces it.
    void activateIgnoringOtherApps(bool ignoringOtherApps) override;

  private:
    std::shared_ptr<platform::SystemLog> log_;
};

} // namespace corvel::mac
