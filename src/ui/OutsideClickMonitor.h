#pragma once

#include "platform/GlobalEventMonitor.h"

#include <functional>
#include <memory>
#include <optional>

namespace corvel {

/// At most one global monitor of left and right mouse-downs, installed while
/// a panel is shown. The platform shows a global monitor only clicks
/// addressed to other applications, so clicks on the panel itself or on
/// Corvel's own icons never count as outside clicks. Main thread only;
/// removes its monitor when destroyed.
class OutsideClickMonitor {
  public:
    explicit OutsideClickMonitor(std::shared_ptr<platform::GlobalEventMonitor> port);
    ~OutsideClickMonitor();
    OutsideClickMonitor(const OutsideClickMonitor&) = delete;
    OutsideClickMonitor& operator=(const OutsideClickMonitor&) = delete;

    /// Replaces a monitor that is still installed. `onClick` runs on the
    /// main thread for every outside click; it may remove the monitor.
    void install(std::function<void()> onClick);
    /// Safe when none is installed.
    void remove();
    bool isInstalled() const { return token_.has_value(); }

  private:
    std::shared_ptr<platform::GlobalEventMonitor> port_;
    std::optional<platform::GlobalEventMonitor::Token> token_;
};

} // namespace corvel
