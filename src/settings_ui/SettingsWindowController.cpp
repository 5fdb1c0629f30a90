#include "settings_ui/SettingsWindowController.h"

#include "async/Spawn.h"

namespace corvel {

SettingsWindowController::SettingsWindowController(std::shared_ptr<SettingsViewModel> viewModel,
                                                   Services services)
    : executor_(services.executor), viewModel_(viewModel) {
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

SettingsWindowController::~SettingsWindowController() {
    readAgain_.cancel();
}

// A restart of Control Center brings every item back at once: one reading
// takes them all in.
void SettingsWindowController::menuBarItemsCameOrWent() {
    if (readingAgainSoon_ || !window_->isVisible())
        return;
    readingAgainSoon_ = true;
    readAgain_ = executor_.after(itemsSettle, [this] { readItemsAgain(); });
}

void SettingsWindowController::readItemsAgain() {
    readingAgainSoon_ = false;
    if (window_->isVisible())
        async::spawn(executor_, viewModel_->refreshRows());
}

void SettingsWindowController::show() {
    window_->bringToFront();
}

} // namespace corvel
