#include "settings_ui/SettingsScreens.h"

namespace corvel {

SettingsScreens::SettingsScreens(std::shared_ptr<SettingsViewModel> viewModel,
                                 async::Executor& executor, std::shared_ptr<AppIconProvider> icons,
                                 std::shared_ptr<platform::ModalAlerts> alerts,
                                 std::shared_ptr<LaunchAtLoginSetting> launchAtLogin)
    : viewModel_(std::move(viewModel)), executor_(&executor), icons_(std::move(icons)),
      alerts_(std::move(alerts)), launchAtLogin_(std::move(launchAtLogin)) {}

void SettingsScreens::start(async::Task<void> task) const {
    async::spawn(*executor_, std::move(task));
}

void SettingsScreens::start(async::Task<AssignmentOutcome> task) const {
    async::spawn(*executor_, discardOutcome(std::move(task)));
}

std::vector<Subscription> SettingsScreens::observeRowsAndGroups(QObject* context,
                                                                std::function<void()> show) const {
    auto changed = [drags = drags_, context, show = std::move(show)](const auto&) {
        drags->whenIdle(context, show);
    };
    std::vector<Subscription> subscriptions;
    subscriptions.push_back(viewModel_->rows().observe(changed));
    subscriptions.push_back(viewModel_->groups().observe(changed));
    return subscriptions;
}

async::Task<void> SettingsScreens::discardOutcome(async::Task<AssignmentOutcome> task) {
    co_await std::move(task);
}

} // namespace corvel
