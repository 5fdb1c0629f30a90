#pragma once

#include "async/Executor.h"
#include "platform/ApplicationActivation.h"
#include "platform/ModalAlerts.h"
#include "platform/Workspace.h"
#include "settings/SettingsViewModel.h"
#include "settings_ui/HostWindow.h"
#include "settings_ui/SettingsView.h"

#include <QSettings>
#include <memory>

namespace corvel {

/// The "Corvel Settings" window: titled, closable, miniaturizable and
/// resizable, 720 × 480 at first and centred, at least 680 × 480; its frame
/// is kept in the user's defaults under "CorvelSettingsWindow" and restored
/// at the next launch. Built once at launch and hidden (not destroyed) when
/// closed, so the selected pane survives. Main thread only.
class SettingsWindowController {
  public:
    static constexpr const char* frameAutosaveName = "CorvelSettingsWindow";

    struct Services {
        /// The main thread's executor: the panes start the view model's
        /// operations on it. Must outlive the controller.
        async::Executor& executor;
        std::shared_ptr<platform::Workspace> workspace;
        std::shared_ptr<platform::ApplicationActivation> activation;
        std::shared_ptr<platform::ModalAlerts> alerts;
        /// Stands in for the platform's user defaults.
        std::shared_ptr<QSettings> defaults;
        /// The login item switch; none shows no such switch.
        std::shared_ptr<LaunchAtLoginSetting> launchAtLogin;
    };

    SettingsWindowController(std::shared_ptr<SettingsViewModel> viewModel, Services services);

    /// Activates Corvel and brings the window to the front, key.
    void show();
    HostWindow& window() { return *window_; }
    SettingsView& view() { return *view_; }

  private:
    SettingsView* view_;
    std::unique_ptr<HostWindow, HostWindow::Release> window_;
};

} // namespace corvel
