#include "settings_ui/SettingsWindowController.h"

namespace corvel {

SettingsWindowController::SettingsWindowController(std::shared_ptr<SettingsViewModel> viewModel,
                                                   Services services) {
    const SettingsScreens screens(std::move(viewModel), services.executor,
                                  std::make_shared<AppIconProvider>(services.workspace),
                                  services.alerts, std::move(services.launchAtLogin));
    view_ = new SettingsView(screens, SettingsSidebarSelection::layout());
    window_.reset(new HostWindow(view_,
                                 {.title = "Corvel Settings",
                                  .miniaturizable = true,
                                  .resizable = true,
                                  .contentSize = QSize(720, 480),
                                  .frameAutosaveName = frameAutosaveName},
                                 std::move(services.activation), std::move(services.defaults)));
}

void SettingsWindowController::show() {
    window_->bringToFront();
}

} // namespace corvel
