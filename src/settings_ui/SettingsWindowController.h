#pragma once

#include "async/Executor.h"
#include "platform/ApplicationActivation.h"
#include "platform/ModalAlerts.h"
#include "platform/Workspace.h"
#include "settings/SettingsViewModel.h"
#include "settings_ui/HostWindow.h"
#include "settings_ui/SettingsView.h"

#include <QSettings>
#include <chrono>
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

    /// How long the window lets the menu bar settle before reading it again.
    static constexpr std::chrono::milliseconds itemsSettle{300};

    SettingsWindowController(std::shared_ptr<SettingsViewModel> viewModel, Services services);
    ~SettingsWindowController();
    SettingsWindowController(const SettingsWindowController&) = delete;
    SettingsWindowController& operator=(const SettingsWindowController&) = delete;

    /// Activates Corvel and brings the window to the front, key.
    void show();
    /// An item came into the menu bar or left it: while the window is open
    /// its panes read the items again once the bar has had a moment, so
    /// that they list what the bar holds. Rows are kept by Item, so a rename
    /// under way survives, and a drag under way holds the panes' rebuild
    /// back until it ends.
    void menuBarItemsCameOrWent();
    HostWindow& window() { return *window_; }
    SettingsView& view() { return *view_; }

  private:
    void readItemsAgain();

    async::Executor& executor_;
    std::shared_ptr<SettingsViewModel> viewModel_;
    async::TimerHandle readAgain_;
    bool readingAgainSoon_ = false;
    SettingsView* view_;
    std::unique_ptr<HostWindow, HostWindow::Release> window_;
};

} // namespace corvel
