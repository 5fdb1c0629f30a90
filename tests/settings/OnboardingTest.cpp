#include "async/ManualLoop.h"
#include "settings/OnboardingViewModel.h"
#include "settings/SystemScreenRecordingPermission.h"
#include "sim/SimulatedDesktop.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace corvel {
namespace {

/// An Accessibility permission whose answers the test changes as it goes.
struct ScriptedAccessibility final : AccessibilityPermissionChecking {
    bool isTrusted() const override { return trusted; }
    bool requestAccess() override {
        ++requests;
        trusted = answerToRequest;
        return trusted;
    }

    bool trusted = false;
    bool answerToRequest = false;
    int requests = 0;
};

class OnboardingViewModelTest : public ::testing::Test {
  protected:
    std::shared_ptr<ScriptedAccessibility> permission = std::make_shared<ScriptedAccessibility>();
};

TEST_F(OnboardingViewModelTest, AProcessTrustedAlreadyOpensInTrusted) {
    permission->trusted = true;

    const OnboardingViewModel viewModel(permission);

    EXPECT_TRUE(viewModel.isTrusted().value());
    EXPECT_EQ(permission->requests, 0) << "opening never prompts";
}

TEST_F(OnboardingViewModelTest, ARequestShowsWhatThePermissionAnswersRefusedOrGranted) {
    OnboardingViewModel viewModel(permission);
    std::vector<bool> shown;
    const auto subscription = viewModel.isTrusted().observe([&](bool t) { shown.push_back(t); });

    viewModel.requestAccess();
    EXPECT_EQ(permission->requests, 1);
    EXPECT_FALSE(viewModel.isTrusted().value());

    permission->answerToRequest = true;
    viewModel.requestAccess();
    EXPECT_TRUE(viewModel.isTrusted().value());
    EXPECT_EQ(shown, (std::vector<bool>{false, true}));
}

TEST_F(OnboardingViewModelTest, CheckingAgainPicksUpAPermissionGrantedInTheSystemSettings) {
    OnboardingViewModel viewModel(permission);
    viewModel.refresh();
    EXPECT_FALSE(viewModel.isTrusted().value());

    permission->trusted = true;
    viewModel.refresh();
    EXPECT_TRUE(viewModel.isTrusted().value());

    permission->trusted = false; // revoked while the window was open
    viewModel.refresh();
    EXPECT_FALSE(viewModel.isTrusted().value());
    EXPECT_EQ(permission->requests, 0);
}

// The platform's Screen Recording permission, through the simulated desktop

class SystemScreenRecordingPermissionTest : public ::testing::Test {
  protected:
    async::ManualLoop loop;
    std::shared_ptr<sim::SimulatedDesktop> desktop = sim::SimulatedDesktop::create(loop, {});
    SystemScreenRecordingPermission permission{desktop};
};

TEST_F(SystemScreenRecordingPermissionTest,
       ARequestAnswersWhatThePlatformAnswersAndReadingNeverAsks) {
    desktop->setScreenRecordingGranted(false);
    desktop->setScreenRecordingGrantedOnRequest(false);

    EXPECT_FALSE(permission.isGranted());
    EXPECT_EQ(desktop->counters().screenRecordingRequests, 0);
    EXPECT_FALSE(permission.requestAccess());
    EXPECT_EQ(desktop->counters().screenRecordingRequests, 1);

    desktop->setScreenRecordingGrantedOnRequest(true);
    EXPECT_TRUE(permission.requestAccess());
    EXPECT_TRUE(permission.isGranted());

    desktop->setScreenRecordingGranted(true);
    EXPECT_TRUE(permission.isGranted());
    EXPECT_EQ(desktop->counters().screenRecordingRequests, 2);
}

} // namespace
} // namespace corvel
