#pragma once

#include "async/Executor.h"
#include "async/Spawn.h"
#include "async/Task.h"
#include "platform/ModalAlerts.h"
#include "settings/LaunchAtLoginSetting.h"
#include "settings/SettingsViewModel.h"
#include "settings/Subscription.h"
#include "settings_ui/AppIconProvider.h"
#include "settings_ui/ItemDragSession.h"

#include <functional>
#include <memory>
#include <vector>

namespace corvel {

/// What every pane of the settings window works with: the one view model,
/// the main executor on which the panes start the view model's operations,
/// application icons, modal alerts, the login item switch and the drag of
/// Items between panes. Copies share everything.
///
/// The executor runs on the main thread and must outlive the panes; the
/// started tasks hold the view model themselves, so a pane that goes away
/// while one runs leaves nothing dangling.
class SettingsScreens {
  public:
    /// Without `launchAtLogin` the panes show no login item switch.
    SettingsScreens(std::shared_ptr<SettingsViewModel> viewModel, async::Executor& executor,
                    std::shared_ptr<AppIconProvider> icons,
                    std::shared_ptr<platform::ModalAlerts> alerts,
                    std::shared_ptr<LaunchAtLoginSetting> launchAtLogin = nullptr);

    SettingsViewModel& viewModel() const { return *viewModel_; }
    const std::shared_ptr<SettingsViewModel>& sharedViewModel() const { return viewModel_; }
    AppIconProvider& icons() const { return *icons_; }
    platform::ModalAlerts& alerts() const { return *alerts_; }
    ItemDragSession& drags() const { return *drags_; }
    const std::shared_ptr<LaunchAtLoginSetting>& launchAtLogin() const { return launchAtLogin_; }

    /// Starts a view model operation on the main executor; its answer is not
    /// needed (outcomes reach the screens through the published values).
    void start(async::Task<void> task) const;
    void start(async::Task<AssignmentOutcome> task) const;

    /// Calls `show` after every change of the rows or the Groups, held back
    /// while a drag is under way, for as long as the answered subscriptions
    /// are kept and `context` exists.
    [[nodiscard]] std::vector<Subscription> observeRowsAndGroups(QObject* context,
                                                                 std::function<void()> show) const;

  private:
    static async::Task<void> discardOutcome(async::Task<AssignmentOutcome> task);

    std::shared_ptr<SettingsViewModel> viewModel_;
    async::Executor* executor_;
    std::shared_ptr<AppIconProvider> icons_;
    std::shared_ptr<platform::ModalAlerts> alerts_;
    std::shared_ptr<LaunchAtLoginSetting> launchAtLogin_;
    std::shared_ptr<ItemDragSession> drags_ = std::make_shared<ItemDragSession>();
};

} // namespace corvel
