#pragma once

#include "platform/LaunchAtLogin.h"
#include "platform/SystemLog.h"

#include <memory>

namespace corvel::mac {

/// Corvel's login item through the Service Management framework
/// (SMAppService.mainAppService). Main thread only.
class MacLaunchAtLogin final : public platform::LaunchAtLogin {
  public:
    explicit MacLaunchAtLogin(std::shared_ptr<platform::SystemLog> log);

    Status status() const override;
    std::optional<std::string> setEnabled(bool enabled) override;

  private:
    std::shared_ptr<platform::SystemLog> log_;
};

} // namespace corvel::mac
