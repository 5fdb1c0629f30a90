#pragma once

#include "async/Executor.h"
#include "async/Task.h"
#include "backend/OwnChromeIcon.h"
#include "backend_mac26/ChromeClickForwarder.h"
#include "backend_mac26/Mac26ChromePlacement.h"
#include "backend_mac26/MenuBarWindowList.h"
#include "platform/StatusBar.h"
#include "platform/SymbolImages.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// Creates the chrome block (the hidden-region spacer and the own icons) in
/// the order that leaves it laid out as planned, waits until the window
/// server lists every item and their bounds have settled, and reads back the
/// order it achieved. Main thread only (the status bar is main-thread only);
/// suspends only in its waits, where cancellation shortens the sleeps.
class Mac26ChromePlacer {
  public:
    static constexpr double iconLength = 24.0;
    static constexpr int registrationAttempts = 20;
    static constexpr int stabilityAttempts = 20;
    static constexpr async::Duration waitInterval = std::chrono::milliseconds(75);

    struct Ports {
        std::shared_ptr<platform::StatusBar> statusBar;
        std::shared_ptr<const platform::SymbolImages> symbolImages;
        MenuBarWindowList windows;
    };

    /// Removes the existing items first, so after a failure they are gone.
    /// Nothing when the names never all show up in the window list; the
    /// items this call created are removed then.
    static async::Task<std::optional<Mac26ChromePlacement>>
    place(Ports ports, std::vector<OwnChromeIcon> icons, std::string nameSpace,
          double preservedSpacerLength,
          std::vector<std::shared_ptr<platform::StatusItem>> existingChrome,
          std::shared_ptr<platform::StatusItem> existingSpacer,
          std::shared_ptr<ChromeClickForwarder> clickForwarder);

    /// Takes every item of the placement out of the status bar.
    static void destroy(platform::StatusBar& statusBar, const Mac26ChromePlacement& placement);

  private:
    struct Created {
        Mac26ChromePlacement placement;
        std::vector<std::pair<Mac26ChromeSlot, std::string>> namesBySlot;
    };

    static Created create(const Ports& ports, const std::vector<OwnChromeIcon>& icons,
                          const std::string& nameSpace, double preservedSpacerLength,
                          ChromeClickForwarder& clickForwarder);
    static std::shared_ptr<platform::StatusItem> createIcon(const Ports& ports,
                                                            const OwnChromeIcon& icon,
                                                            const std::string& name,
                                                            ChromeClickForwarder& clickForwarder);
    static async::Task<std::optional<std::map<std::string, std::uint32_t>>>
    awaitRegistrationForNames(MenuBarWindowList windows, std::vector<std::string> names,
                              int attempts, async::Duration interval);
    static async::Task<void> waitForStableBounds(MenuBarWindowList windows,
                                                 std::vector<std::uint32_t> windowIDs, int attempts,
                                                 async::Duration interval);
    static std::vector<Mac26ChromeSlot>
    achievedOrder(const std::vector<MenuBarWindowInfo>& windows,
                  const std::map<std::uint32_t, Mac26ChromeSlot>& slotsByWindowID);
};

} // namespace corvel
