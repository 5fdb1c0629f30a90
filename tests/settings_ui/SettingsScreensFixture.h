#pragma once

#include "async/ManualLoop.h"
#include "engine/GroupStore.h"
#include "engine/ItemAssignmentCoordinator.h"
#include "settings/ScreenRecordingPermissionChecking.h"
#include "settings/SettingsViewModel.h"
#include "settings_ui/SettingsScreens.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"
#include "support/MemoryLog.h"
#include "support/RunTask.h"
#include "support/ScriptedBackend.h"
#include "support/ScriptedModalAlerts.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace corvel::test {

/// Screen Recording answered from the test.
class ScriptedScreenRecording final : public ScreenRecordingPermissionChecking {
  public:
    bool isGranted() const override { return granted; }
    bool requestAccess() override {
        ++requests;
        granted = grantsOnRequest;
        return granted;
    }

    bool granted = false;
    bool grantsOnRequest = false;
    int requests = 0;
};

/// The settings screens over a real view model: a group store in a
/// temporary folder, the assignment coordinator over a scripted menu bar,
/// scripted alerts, and application icons from the simulated desktop. All
/// on one manual loop; settle() runs it and Qt's posted events until both
/// are quiet.
class SettingsScreensFixture {
  public:
    SettingsScreensFixture();
    ~SettingsScreensFixture();

    /// Puts these items in the menu bar (left to right) and reads the rows.
    void showItems(const std::vector<ItemIdentity>& identities);
    Group addGroup(const std::string& name, const std::string& symbol = "folder.fill");
    /// The row the view model lists for this title.
    AssignableItemRow row(const std::string& title) const;
    /// Files the Item through the view model, as a pane would.
    void file(const std::string& title, const GroupID& group);

    /// Runs the loop and Qt's posted events until neither has work.
    void settle();

    /// Drags `text` over `target` at `position` and drops it there, as Qt
    /// delivers them; answers whether the drag and the drop were accepted.
    bool drop(QWidget* target, const QString& text, QPoint position = {10, 10});
    bool dragEnterAccepted(QWidget* target, const QString& text, QPoint position = {10, 10});

    async::ManualLoop loop;
    TemporaryFolder folder;
    MemoryLog log;
    std::shared_ptr<ScriptedBackend> backend = std::make_shared<ScriptedBackend>();
    std::shared_ptr<GroupStore> store;
    std::shared_ptr<ItemAssignmentCoordinator> coordinator;
    std::shared_ptr<ScriptedScreenRecording> screenRecording =
        std::make_shared<ScriptedScreenRecording>();
    std::shared_ptr<SettingsViewModel> viewModel;
    std::shared_ptr<ScriptedModalAlerts> alerts = std::make_shared<ScriptedModalAlerts>();
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::shared_ptr<LaunchAtLoginSetting> launchAtLogin;
    std::unique_ptr<SettingsScreens> screens;
};

} // namespace corvel::test
