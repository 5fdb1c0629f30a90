#pragma once

#include "async/Executor.h"
#include "async/Task.h"
#include "backend/ObservedItem.h"
#include "backend_mac26/MenuBarWindowList.h"
#include "backend_mac26/RevealSupervisionOutcome.h"
#include "platform/SyntheticEvents.h"
#include "platform/Workspace.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <set>

namespace corvel {

/// Watches a pressed item until its menu has opened and closed again, or
/// gives up after the open-confirm timeout and posts a real Escape key press
/// so that nothing the press may have started stays open. Meant to run on a
/// background executor: it only reads the window list and the workspace and
/// posts keyboard events, all thread-safe ports. While the menu stays open
/// there is no upper bound. A cancelled supervision ends after its next
/// sleep with what it has seen, posting nothing.
class RevealSupervisor {
  public:
    static constexpr async::Duration pollInterval = std::chrono::milliseconds(75);
    static constexpr async::Duration escapeKeyGap = std::chrono::milliseconds(20);

    /// What the supervision reads and posts through.
    struct Ports {
        MenuBarWindowList windows;
        std::shared_ptr<platform::SyntheticEvents> events;
        std::shared_ptr<const platform::Workspace> workspace;
        std::int32_t selfPID = 0;
    };

    static async::Task<RevealSupervisionOutcome>
    superviseReveal(Ports ports, ObservedItem item, async::Duration openConfirmTimeout);

    /// The processes whose pop-up windows count as the item's menu: this
    /// process, the owner of the item's window, and every running application
    /// with the item's bundle identifier (the item's application also when
    /// the status bar host owns the window).
    static std::set<std::int32_t> menuOwnerPIDs(const Ports& ports, const ObservedItem& item);

  private:
    static bool pollForMenuWindow(const Ports& ports, const std::set<std::int32_t>& owners,
                                  const ObservedItem& item);
    static async::Task<void>
    postRealEscapeKeyEvent(std::shared_ptr<platform::SyntheticEvents> events);
};

} // namespace corvel
