#include "SettingsScreensFixture.h"
#include "settings/OnboardingViewModel.h"
#include "settings_ui/OnboardingWindowController.h"
#include "settings_ui/SettingsWindowController.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace corvel {
namespace {

class RecordingActivation final : public platform::ApplicationActivation {
  public:
    void setActivationPolicy(platform::ActivationPolicy) override {}
    void activateIgnoringOtherApps(bool ignoring) override { activations.push_back(ignoring); }
    std::vector<bool> activations;
};

class FixedPermission final : public AccessibilityPermissionChecking {
  public:
    bool isTrusted() const override { return false; }
    bool requestAccess() override { return false; }
};

class WindowControllerTest : public ::testing::Test, protected test::SettingsScreensFixture {
  protected:
    std::unique_ptr<SettingsWindowController> makeSettingsWindow() {
        return std::make_unique<SettingsWindowController>(
            viewModel, SettingsWindowController::Services{.executor = loop,
                                                          .workspace = desktop,
                                                          .activation = activation,
                                                          .alerts = alerts,
                                                          .defaults = defaults,
                                                          .launchAtLogin = launchAtLogin});
    }

    std::shared_ptr<RecordingActivation> activation = std::make_shared<RecordingActivation>();
    std::shared_ptr<QSettings> defaults = std::make_shared<QSettings>(
        QString::fromStdString((folder / "defaults.ini").string()), QSettings::IniFormat);
};

TEST_F(WindowControllerTest, theSettingsWindowOpensCentredAt720By480WithItsTitleAndFrameName) {
    auto controller = makeSettingsWindow();
    auto& window = controller->window();
    EXPECT_EQ(window.windowTitle(), "Corvel Settings");
    EXPECT_EQ(window.size(), QSize(720, 480));
    EXPECT_EQ(window.minimumSize(), QSize(680, 480));
    EXPECT_EQ(window.frameAutosaveName(), "CorvelSettingsWindow");
    const auto screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(window.frameGeometry().center().x() - screen.center().x()), 1);
}

TEST_F(WindowControllerTest, showActivatesTheAppAndTwoShowsLeaveOneVisibleWindow) {
    auto controller = makeSettingsWindow();
    controller->show();
    controller->show();
    settle();
    EXPECT_EQ(activation->activations, (std::vector<bool>{true, true}));
    int visible = 0;
    for (auto* widget : QApplication::topLevelWidgets())
        visible += widget->isVisible() && widget->windowTitle() == "Corvel Settings";
    EXPECT_EQ(visible, 1);
    EXPECT_TRUE(controller->window().isVisible());
}

TEST_F(WindowControllerTest, closingHidesTheWindowAndShowingAgainKeepsTheSelectedPane) {
    const auto group = addGroup("Work");
    auto controller = makeSettingsWindow();
    controller->show();
    controller->view().select(SettingsSidebarSelection::group(group.id));
    controller->window().close();
    settle();
    EXPECT_FALSE(controller->window().isVisible());
    controller->show();
    settle();
    EXPECT_EQ(controller->view().selection(), SettingsSidebarSelection::group(group.id));
    ASSERT_NE(controller->view().groupDetailView(), nullptr);
    EXPECT_EQ(controller->view().groupDetailView()->groupID(), group.id);
}

TEST_F(WindowControllerTest, aSavedFrameIsRestoredOnTheNextLaunchInsteadOfCentring) {
    const QRect chosen(40, 60, 700, 500);
    {
        auto first = makeSettingsWindow();
        first->show();
        first->window().setGeometry(chosen);
        first->window().close();
        settle();
    }
    settle();
    auto second = makeSettingsWindow();
    EXPECT_EQ(second->window().geometry(), chosen);
}

TEST_F(WindowControllerTest, theOnboardingWindowIsTitledClosableAndNotResizable) {
    bool finished = false;
    OnboardingWindowController controller(
        std::make_shared<OnboardingViewModel>(std::make_shared<FixedPermission>()),
        [&] { finished = true; }, activation);
    controller.show();
    settle();
    auto& window = controller.window();
    EXPECT_EQ(window.windowTitle(), "Welcome to Corvel");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(activation->activations, std::vector<bool>{true});
    EXPECT_FALSE(finished);
}

} // namespace
} // namespace corvel
