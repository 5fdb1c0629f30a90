#pragma once

#include "platform/LaunchAtLogin.h"

#include <mutex>

namespace corvel::sim {

/// The simulated desktop's login item for Corvel: a recorded setting, off
/// at every start like the rest of the simulated desktop. Nobody logs in
/// here, so nothing ever opens because of it. Thread-safe.
class SimLoginItem final : public platform::LaunchAtLogin {
  public:
    Status status() const override;
    std::optional<std::string> setEnabled(bool enabled) override;

  private:
    mutable std::mutex mutex_;
    bool enabled_ = false;
};

} // namespace corvel::sim
