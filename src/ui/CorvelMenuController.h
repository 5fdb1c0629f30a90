#pragma once

#include "async/Executor.h"
#include "async/Task.h"
#include "backend/ItemFrame.h"
#include "engine/GhostRecoveryCoordinator.h"
#include "engine/GhostRecoveryCoordinatorDelegate.h"
#include "engine/StripEffectInterpreter.h"
#include "platform/Menu.h"
#include "platform/ModalAlerts.h"

#include <functional>
#include <memory>
#include <optional>

namespace corvel {

class ItemSearchWindowController;
class StripWindowController;

/// The primary icon's menu: Settings, the item search, the Hidden Group,
/// show-all or hide-all,
/// Repair Menu Bar and Quit, with the alerts of the repair. The menu is the
/// platform's toolkit-neutral Menu, rebuilt through its update handler each
/// time it is about to open, so the show-all entry reads the state of that
/// moment. Also asks the person to confirm a restart of Control Center, as the
/// ghost recovery coordinator's delegate.
///
/// Main thread only; always owned by a std::shared_ptr. Menu actions return at
/// once: their work runs in tasks of their own on the main executor. The menu
/// and the coordinator hold the controller weakly.
class CorvelMenuController final : public GhostRecoveryCoordinatorDelegate,
                                   public std::enable_shared_from_this<CorvelMenuController> {
  public:
    struct Collaborators {
        std::shared_ptr<StripEffectInterpreter> interpreter;
        std::shared_ptr<StripWindowController> stripController;
        std::shared_ptr<GhostRecoveryCoordinator> ghostRecovery;
        /// Brings up the settings window.
        std::function<void()> showSettingsWindow;
        /// Where the primary icon is now, if known.
        std::function<std::optional<ItemFrame>()> primaryIconFrameProvider;
        std::shared_ptr<platform::ModalAlerts> alerts;
        /// Ends the application.
        std::function<void()> terminate;
        /// Told where the primary icon is before the search opens from the
        /// menu.
        std::shared_ptr<ItemSearchWindowController> searchController;
    };

    /// Builds the empty menu and becomes the coordinator's delegate.
    static std::shared_ptr<CorvelMenuController> create(async::Executor& mainExecutor,
                                                        Collaborators collaborators);

    CorvelMenuController(const CorvelMenuController&) = delete;
    CorvelMenuController& operator=(const CorvelMenuController&) = delete;

    /// The primary icon's menu; empty until it first opens.
    const std::shared_ptr<platform::Menu>& menu() const { return menu_; }
    /// The primary icon's frame when the menu last opened.
    const std::optional<ItemFrame>& lastAnchorFrame() const { return lastAnchorFrame_; }

    // The menu's actions.
    void openSettings();
    /// Under the primary icon; centred while its frame is unknown.
    void findItem();
    /// Find Item…'s global shortcut: the search under the primary icon where
    /// it stands now, with the menu closed; pressed again, it closes.
    void findItemFromShortcut();
    /// Nothing while the primary icon's frame is unknown.
    void openHiddenGroup();
    void toggleShowAll();
    void repairMenuBar();
    void quit();

    // GhostRecoveryCoordinatorDelegate: a modal alert, answered at once.
    void
    ghostRecoveryCoordinator(GhostRecoveryCoordinator& coordinator,
                             std::function<void(bool)> didRequireHostRestartConfirmation) override;

  private:
    CorvelMenuController(async::Executor& mainExecutor, Collaborators collaborators);
    std::optional<ItemFrame> primaryIconFrame() const;

    void menuNeedsUpdate(platform::Menu& menu);
    void send(SessionState::Event event);
    static async::Task<void> repair(std::shared_ptr<GhostRecoveryCoordinator> ghostRecovery,
                                    std::shared_ptr<platform::ModalAlerts> alerts);

    async::Executor& mainExecutor_;
    Collaborators collaborators_;
    std::shared_ptr<platform::Menu> menu_ = std::make_shared<platform::Menu>();
    std::optional<ItemFrame> lastAnchorFrame_;
};

} // namespace corvel
