#pragma once

#include "async/Executor.h"
#include "async/Spawn.h"
#include "async/Task.h"
#include "engine/GroupStore.h"
#include "platform/PlatformServices.h"
#include "ui/StripWindowController.h"

#include <QSettings>
#include <filesystem>
#include <functional>
#include <memory>

namespace corvel {
class CorvelMenuController;
class FiledItemsKeeper;
class FindItemHotKey;
class GhostRecoveryOutcome;
class GhostRecoveryCoordinator;
class GroupShortcuts;
class ItemAssignmentCoordinator;
class ItemSearchWindowController;
class MenuBarBackend;
class OnboardingWindowController;
class SettingsViewModel;
class SettingsWindowController;
class StatusItemController;
class StripEffectInterpreter;
namespace platform {
class ModalAlerts;
}
} // namespace corvel

namespace corvel::app {

/// The one place where Corvel's object graph is built: once launching has
/// finished, one task on the main thread builds the backend, the store and the
/// coordinators, recovers leftovers, prepares the backend (waiting, with one
/// alert, for Screen Recording), builds and wires the interface, places the
/// icons, puts filed items back into the hidden region and finally asks for
/// Accessibility when it is missing.
///
/// Main thread only. Its fields are set once each during launch and hold the
/// graph for the life of the process; nothing is torn down before the
/// application ends. The store is also kept here, so that quitting can write
/// what changed in the last moments.
class CorvelAppDelegate : public std::enable_shared_from_this<CorvelAppDelegate> {
  public:
    /// What the launch is built from. Every port, executor and clock comes in
    /// here; nothing is reached globally.
    struct Services {
        async::Executor* mainExecutor = nullptr;
        /// The store's writes and the backend's poll.
        async::Executor* backgroundExecutor = nullptr;
        platform::PlatformServices platform;
        std::shared_ptr<platform::ModalAlerts> alerts;
        std::filesystem::path storeURL;
        GroupStore::WallClock wallClock;
        /// Builds the backend with the namespace "Corvel" (step 1).
        std::function<std::shared_ptr<MenuBarBackend>()> makeBackend;
        /// Ends the application through its one quit path: the launch
        /// alert's Quit Corvel and the primary menu's Quit. Must destroy
        /// nothing synchronously.
        std::function<void()> terminate;
        /// Where the Strip panel stands on the real screen.
        StripWindowController::ScreenMapping stripPlacement;
        /// Stands in for the platform's user defaults (the settings window's
        /// frame, Find Item…'s shortcut).
        std::shared_ptr<QSettings> defaults;
    };

    static constexpr const char* backendNamespace = "Corvel";
    static constexpr std::chrono::milliseconds storeWriteDebounce{250};
    static constexpr std::chrono::seconds prepareRetryInterval{2};

    static std::shared_ptr<CorvelAppDelegate> create(Services services);
    /// Stops watching Screen Recording.
    ~CorvelAppDelegate();

    /// Starts the launch sequence as one task on the main thread and returns
    /// at once.
    void applicationDidFinishLaunching();

    /// The quit path's part: writes what changed in the store and is not on
    /// disk yet (when the store was built) and resumes on the main thread
    /// once the write has ended, so the loops may stop after it. From here on
    /// the store's troubles are only logged: no alert holds up the quit.
    async::Task<void> flushStore();

    // The graph, for the interface wiring and for tests. Absent until built.
    const std::shared_ptr<MenuBarBackend>& backend() const { return backend_; }
    const std::shared_ptr<GroupStore>& store() const { return store_; }
    const async::SpawnHandle& launchTask() const { return launchTask_; }
    const std::shared_ptr<StripWindowController>& stripController() const {
        return stripController_;
    }
    const std::shared_ptr<ItemSearchWindowController>& searchController() const {
        return searchController_;
    }
    const std::shared_ptr<StatusItemController>& statusItemController() const {
        return statusItemController_;
    }
    const std::shared_ptr<SettingsWindowController>& settingsWindowController() const {
        return settingsWindowController_;
    }
    const std::shared_ptr<CorvelMenuController>& menuController() const { return menuController_; }
    /// The Groups' global shortcuts; absent where the platform has no hot keys.
    const std::shared_ptr<GroupShortcuts>& groupShortcuts() const { return groupShortcuts_; }
    /// Find Item…'s global shortcut; absent where the platform has no hot
    /// keys.
    const std::shared_ptr<FindItemHotKey>& findItemHotKey() const { return findItemHotKey_; }
    /// Present only while onboarding is shown.
    const std::shared_ptr<OnboardingWindowController>& onboardingWindowController() const {
        return onboardingWindowController_;
    }
    bool interfaceBuilt() const;

  private:
    explicit CorvelAppDelegate(Services services) : services_(std::move(services)) {}

    static async::Task<void> launch(std::shared_ptr<CorvelAppDelegate> self);
    /// Step 7. Answers false when the person chose to quit.
    async::Task<bool> prepareBackend();
    void logPrepareFailure(const std::string& errorText) const;
    /// Answers false when the person chose to quit.
    bool showScreenRecordingAlert();
    bool accessibilityTrusted() const;
    void logRecoveryAtLaunch(const GhostRecoveryOutcome& outcome) const;
    /// From the end of launch, every two seconds: a withdrawn Screen
    /// Recording is asked for again, and its return reconciles the items.
    static async::Task<void> watchScreenRecording(std::weak_ptr<CorvelAppDelegate> weakSelf);
    /// An alert about the store document, unless Corvel is quitting.
    void tellAboutStore(const StoreNotice& notice);

    // Steps 8, 9 and 11: the interface wiring.
    void buildInterface(const std::shared_ptr<ItemAssignmentCoordinator>& assignment,
                        const std::shared_ptr<GhostRecoveryCoordinator>& ghostRecovery);
    /// Registers every Group's shortcut, whose press toggles the Group's
    /// Strip, and Find Item…'s, whose press toggles the search.
    void buildGlobalShortcuts();
    async::Task<void> startInterface();
    void openOnboardingIfNeeded();
    void finishOnboarding();
    /// Places the icons for the store's Groups, when the interface is still
    /// there.
    static async::Task<void> placeChrome(std::weak_ptr<CorvelAppDelegate> weakSelf);
    /// Filed items follow the Groups and arrivals; the open settings follow
    /// the items coming and going.
    void followMenuBar(const std::shared_ptr<ItemAssignmentCoordinator>& assignment,
                       const std::shared_ptr<StripEffectInterpreter>& interpreter,
                       SettingsViewModel& settings);

    Services services_;
    async::SpawnHandle launchTask_;
    async::SpawnHandle screenRecordingWatch_;
    std::shared_ptr<MenuBarBackend> backend_;
    std::shared_ptr<GroupStore> store_;
    std::shared_ptr<StripWindowController> stripController_;
    std::shared_ptr<ItemSearchWindowController> searchController_;
    std::shared_ptr<StatusItemController> statusItemController_;
    std::shared_ptr<SettingsWindowController> settingsWindowController_;
    std::shared_ptr<CorvelMenuController> menuController_;
    std::shared_ptr<GroupShortcuts> groupShortcuts_;
    std::shared_ptr<FindItemHotKey> findItemHotKey_;
    std::shared_ptr<OnboardingWindowController> onboardingWindowController_;
    std::shared_ptr<FiledItemsKeeper> filedItemsKeeper_;
    bool quitting_ = false;
};

} // namespace corvel::app
