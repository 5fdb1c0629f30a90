#include "app/BackendAccessibilityPermission.h"
#include "app/CorvelAppDelegate.h"
#include "app/FindItemShortcutDefaults.h"
#include "backend/BackendError.h"
#include "backend_mac26/AccessibilityPermission.h"
#include "engine/FiledItemsKeeper.h"
#include "engine/FindItemHotKey.h"
#include "engine/GhostRecoveryCoordinator.h"
#include "engine/GroupShortcuts.h"
#include "engine/ItemAssignmentCoordinator.h"
#include "engine/ItemSearchViewModel.h"
#include "engine/SystemRevealAllClock.h"
#include "settings/GroupOrder.h"
#include "settings/OnboardingViewModel.h"
#include "settings/SettingsViewModel.h"
#include "settings/SystemScreenRecordingPermission.h"
#include "settings_ui/OnboardingWindowController.h"
#include "settings_ui/SettingsWindowController.h"
#include "ui/CorvelMenuController.h"
#include "ui/ItemSearchWindowController.h"
#include "ui/StatusItemController.h"

#include <utility>

namespace corvel::app {

namespace {

async::Task<bool> isMemberOf(std::shared_ptr<ItemAssignmentCoordinator> assignment, GroupID group,
                             ObservedItem observed) {
    auto lookup = assignment->groupID(std::move(observed));
    const std::optional<GroupID> found = co_await std::move(lookup);
    co_return found == group;
}

StripWindowController::MembershipFactory
membershipIn(std::shared_ptr<ItemAssignmentCoordinator> assignment) {
    return [assignment](const GroupID& group) -> GroupMembersViewModel::MembershipTest {
        return [assignment, group](ObservedItem observed) {
            return isMemberOf(assignment, group, std::move(observed));
        };
    };
}

ItemSearchViewModel::ApplicationName
applicationNames(std::shared_ptr<platform::Workspace> workspace) {
    return [workspace](const std::string& bundleID) -> std::optional<std::string> {
        if (!workspace)
            return std::nullopt;
        const auto running = workspace->runningApplicationsWithBundleIdentifier(bundleID);
        return running.empty() ? std::nullopt : running.front().localizedName;
    };
}

} // namespace

bool CorvelAppDelegate::interfaceBuilt() const {
    return stripController_ || searchController_ || statusItemController_ ||
           settingsWindowController_ || menuController_ || onboardingWindowController_;
}

void CorvelAppDelegate::buildInterface(
    const std::shared_ptr<ItemAssignmentCoordinator>& assignment,
    const std::shared_ptr<GhostRecoveryCoordinator>& ghostRecovery) {
    async::Executor& main = *services_.mainExecutor;
    const auto& platform = services_.platform;

    stripController_ = StripWindowController::create(
        main, backend_, membershipIn(assignment),
        {platform.screens, platform.workspace, platform.globalEventMonitor},
        services_.stripPlacement);

    searchController_ = ItemSearchWindowController::create(
        main,
        ItemSearchViewModel::create(backend_, assignment, store_,
                                    applicationNames(platform.workspace)),
        {platform.screens, platform.workspace, platform.globalEventMonitor},
        services_.stripPlacement);

    auto interpreter = StripEffectInterpreter::create(
        backend_,
        StripEffectInterpreter::eitherOf(searchController_->lookup(), stripController_->lookup()),
        stripController_, std::make_shared<SystemRevealAllClock>(), main, *platform.systemLog);
    interpreter->setSearchDelegate(searchController_);
    stripController_->setInterpreter(interpreter);
    searchController_->setInterpreter(interpreter);

    assignment->setIsShowAllActive([weakInterpreter = std::weak_ptr(interpreter)] {
        auto interpreter = weakInterpreter.lock();
        return interpreter && interpreter->state().showAll() == ShowAllState::active;
    });

    statusItemController_ = StatusItemController::create(
        main, backend_, interpreter, stripController_, GroupOrder::sorted(store_->groups()));

    auto settings = SettingsViewModel::create(
        store_, assignment,
        std::make_shared<SystemScreenRecordingPermission>(platform.screenCapture));
    buildGlobalShortcuts();
    settings->setGroupShortcuts(groupShortcuts_);
    settings->setFindItemHotKey(findItemHotKey_);

    auto launchAtLogin =
        platform.launchAtLogin
            ? std::make_shared<LaunchAtLoginSetting>(platform.launchAtLogin, platform.systemLog)
            : nullptr;
    settingsWindowController_ =
        std::make_shared<SettingsWindowController>(settings, SettingsWindowController::Services{
                                                                 .executor = main,
                                                                 .workspace = platform.workspace,
                                                                 .activation = platform.activation,
                                                                 .alerts = services_.alerts,
                                                                 .defaults = services_.defaults,
                                                                 .launchAtLogin = launchAtLogin,
                                                             });

    menuController_ = CorvelMenuController::create(
        main, {
                  .interpreter = interpreter,
                  .stripController = stripController_,
                  .ghostRecovery = ghostRecovery,
                  .showSettingsWindow =
                      [weakSettings = std::weak_ptr(settingsWindowController_)] {
                          if (auto settings = weakSettings.lock())
                              settings->show();
                      },
                  .primaryIconFrameProvider =
                      [weakBackend = std::weak_ptr(backend_)]() -> std::optional<ItemFrame> {
                      auto backend = weakBackend.lock();
                      return backend ? backend->primaryIconFrame() : std::nullopt;
                  },
                  .alerts = services_.alerts,
                  .terminate = services_.terminate,
                  .searchController = searchController_,
              });
    statusItemController_->setMenuController(menuController_);
    followMenuBar(assignment, interpreter, *settings);
}

void CorvelAppDelegate::followMenuBar(const std::shared_ptr<ItemAssignmentCoordinator>& assignment,
                                      const std::shared_ptr<StripEffectInterpreter>& interpreter,
                                      SettingsViewModel& settings) {
    filedItemsKeeper_ = FiledItemsKeeper::create(
        *services_.mainExecutor, assignment,
        [weakSelf = weak_from_this()] { return placeChrome(weakSelf); },
        [weakInterpreter = std::weak_ptr(interpreter)] {
            auto interpreter = weakInterpreter.lock();
            if (!interpreter)
                return false;
            const auto& state = interpreter->state();
            return state.showAll() == ShowAllState::active ||
                   state.reveal().kind() == RevealState::Kind::revealing;
        });
    settings.setOnGroupsChanged([weakKeeper = std::weak_ptr(filedItemsKeeper_)] {
        if (auto keeper = weakKeeper.lock())
            keeper->groupsChanged();
    });
    statusItemController_->setOnItemsComeAndGo(
        [weakKeeper = std::weak_ptr(filedItemsKeeper_),
         weakSettings = std::weak_ptr(settingsWindowController_)](const MenuBarChangeEvent& event) {
            auto keeper = weakKeeper.lock();
            if (keeper && event.kind() == MenuBarChangeEvent::Kind::itemAppeared)
                keeper->itemAppeared(event.item());
            if (auto settings = weakSettings.lock())
                settings->menuBarItemsCameOrWent();
        });
}

void CorvelAppDelegate::buildGlobalShortcuts() {
    const auto& platform = services_.platform;
    if (!platform.hotKeys)
        return;
    auto& log = *platform.systemLog;
    auto registry = HotKeyRegistry::create(platform.hotKeys, log);
    groupShortcuts_ = GroupShortcuts::create(
        registry, log,
        [weakController = std::weak_ptr(statusItemController_)](const GroupID& group) {
            if (auto controller = weakController.lock())
                controller->groupShortcutPressed(group);
        });
    groupShortcuts_->sync(store_->groups());

    // The menu is built after this; a press finds it then.
    auto defaults = services_.defaults;
    std::optional<KeyboardShortcut> kept = FindItemHotKey::defaultShortcut;
    if (defaults)
        kept = FindItemShortcutDefaults::load(*defaults, log);
    findItemHotKey_ = FindItemHotKey::create(
        registry, log, kept,
        [defaults,
         systemLog = platform.systemLog](const std::optional<KeyboardShortcut>& shortcut) {
            if (defaults)
                FindItemShortcutDefaults::save(*defaults, shortcut, *systemLog);
        },
        [weakSelf = weak_from_this()] {
            auto self = weakSelf.lock();
            if (self && self->menuController_)
                self->menuController_->findItemFromShortcut();
        });
}

async::Task<void> CorvelAppDelegate::placeChrome(std::weak_ptr<CorvelAppDelegate> weakSelf) {
    auto self = weakSelf.lock();
    if (!self || !self->statusItemController_)
        co_return;
    auto refreshing =
        self->statusItemController_->refreshChrome(GroupOrder::sorted(self->store_->groups()));
    co_await std::move(refreshing);
}

async::Task<void> CorvelAppDelegate::startInterface() {
    std::string failure;
    try {
        auto starting = statusItemController_->start();
        co_await std::move(starting);
        co_return;
    } catch (const BackendError& error) {
        failure = error.text();
    } catch (const std::exception& error) {
        failure = error.what();
    }
    services_.platform.systemLog->write("Corvel: placeOwnChrome failed at launch — " + failure);
}

void CorvelAppDelegate::openOnboardingIfNeeded() {
    if (accessibilityTrusted())
        return;
    auto viewModel = std::make_shared<OnboardingViewModel>(
        std::make_shared<BackendAccessibilityPermission>(services_.platform.accessibility));
    onboardingWindowController_ = std::make_shared<OnboardingWindowController>(
        viewModel,
        [weakSelf = weak_from_this()] {
            if (auto self = weakSelf.lock())
                self->finishOnboarding();
        },
        services_.platform.activation);
    onboardingWindowController_->show();
}

void CorvelAppDelegate::finishOnboarding() {
    // Called from the window's own button: keep the controller alive until
    // this call has returned to it.
    auto finished = std::move(onboardingWindowController_);
    if (!finished)
        return;
    finished->close();
    services_.mainExecutor->post([finished] {});
}

} // namespace corvel::app
