// Writes an offscreen picture of each settings pane (a Group's detail twice:
// once with a shortcut another application holds) and of the onboarding
// screen in both states into the folder given as the only argument, so that
// a person can look at them.

#include "SettingsScreensFixture.h"
#include "backend/BackendError.h"
#include "engine/GroupShortcuts.h"
#include "settings/OnboardingViewModel.h"
#include "settings_ui/OnboardingWindowController.h"
#include "settings_ui/SettingsWindowController.h"

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <iostream>

namespace corvel {
namespace {

class Permission final : public AccessibilityPermissionChecking {
  public:
    explicit Permission(bool trusted) : trusted_(trusted) {}
    bool isTrusted() const override { return trusted_; }
    bool requestAccess() override { return trusted_; }

  private:
    bool trusted_;
};

bool save(QWidget& window, const QDir& folder, const QString& name) {
    const auto path = folder.filePath(name + ".png");
    if (!window.grab().save(path)) {
        std::cerr << "could not write " << path.toStdString() << "\n";
        return false;
    }
    std::cout << path.toStdString() << "\n";
    return true;
}

const std::vector<ItemIdentity> menuBar = {
    {"com.example.driftwood", "Driftwood"},     {"com.example.quillfeather", "Quillfeather"},
    {"org.example.lumen-notes", "Lumen Notes"}, {"com.example.pebblesync", "Pebblesync"},
    {"net.example.orrery", "Orrery"},           {"com.example.cobble", "Cobble Clipboard"},
    {"com.example.sundial", "25:00"},           {"org.example.harbor", "Harbor VPN"},
};

bool settingsPictures(const QDir& folder) {
    test::SettingsScreensFixture world;
    auto defaults = std::make_shared<QSettings>(
        QString::fromStdString((world.folder / "defaults.ini").string()), QSettings::IniFormat);
    SettingsWindowController controller(world.viewModel, {.executor = world.loop,
                                                          .workspace = world.desktop,
                                                          .activation = nullptr,
                                                          .alerts = world.alerts,
                                                          .defaults = defaults});
    world.viewModel->setGroupShortcuts(GroupShortcuts::create(
        HotKeyRegistry::create(world.desktop, world.log), world.log, nullptr));
    world.showItems(menuBar);
    controller.show();
    world.settle();
    bool ok = save(controller.window(), folder, "layout-without-groups");

    const auto work = world.addGroup("Work", "hammer.fill");
    const auto chat = world.addGroup("Chat", "message.fill");
    world.addGroup("Media", "music.note");
    world.file("Driftwood", work.id);
    world.file("Lumen Notes", work.id);
    world.backend->failNext(test::ScriptedBackend::Operation::moveIntoHiddenRegion,
                            BackendError::geometryUnsettled());
    world.file("Quillfeather", chat.id);
    world.file("Orrery", chat.id);
    auto& view = controller.view();
    view.select(SettingsSidebarSelection::layout());
    world.settle();
    ok = save(controller.window(), folder, "layout-with-groups") && ok;
    view.select(SettingsSidebarSelection::group(chat.id));
    world.settle();
    ok = save(controller.window(), folder, "group-detail") && ok;
    // Quillfeather holds ⌃⌥N on the simulated desktop.
    world.viewModel->setShortcut(KeyboardShortcut{45, 0xC0000}, work.id);
    view.select(SettingsSidebarSelection::group(work.id));
    world.settle();
    ok = save(controller.window(), folder, "group-detail-shortcut-refused") && ok;
    view.select(SettingsSidebarSelection::unresolved());
    world.settle();
    ok = save(controller.window(), folder, "unresolved-items") && ok;
    view.select(SettingsSidebarSelection::hiddenGroup());
    world.settle();
    ok = save(controller.window(), folder, "hidden-group") && ok;
    return ok;
}

bool onboardingPicture(const QDir& folder, bool trusted, const QString& name) {
    OnboardingWindowController controller(
        std::make_shared<OnboardingViewModel>(std::make_shared<Permission>(trusted)), [] {},
        nullptr);
    controller.show();
    QCoreApplication::processEvents();
    return save(controller.window(), folder, name);
}

} // namespace
} // namespace corvel

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <folder>\n";
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::cerr << "cannot make " << argv[1] << "\n";
        return 1;
    }
    bool ok = corvel::settingsPictures(folder);
    ok = corvel::onboardingPicture(folder, false, "onboarding-not-trusted") && ok;
    ok = corvel::onboardingPicture(folder, true, "onboarding-trusted") && ok;
    return ok ? 0 : 1;
}
