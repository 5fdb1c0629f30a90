#include "settings_ui/OnboardingView.h"

#include "settings/OnboardingViewModel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace corvel {
namespace {

class ScriptedAccessibility final : public AccessibilityPermissionChecking {
  public:
    bool isTrusted() const override { return trusted; }
    bool requestAccess() override {
        ++requests;
        return trusted;
    }
    bool trusted = false;
    int requests = 0;
};

class OnboardingViewTest : public ::testing::Test {
  protected:
    OnboardingView& view() {
        if (!view_) {
            view_ = std::make_unique<OnboardingView>(
                std::make_shared<OnboardingViewModel>(permission), [this] { ++finished; });
            view_->show();
        }
        return *view_;
    }

    QPushButton* button(const QString& text) {
        for (auto* button : view().findChildren<QPushButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }

    bool showsText(const QString& text) {
        for (auto* label : view().findChildren<QLabel*>())
            if (label->text() == text && label->isVisible())
                return true;
        return false;
    }

    bool shows(const QString& text) {
        auto* found = button(text);
        return found && found->isVisible();
    }

    std::shared_ptr<ScriptedAccessibility> permission = std::make_shared<ScriptedAccessibility>();
    std::unique_ptr<OnboardingView> view_;
    int finished = 0;
};

TEST_F(OnboardingViewTest,
       withoutThePermissionItOffersToAskAndARefusalStaysUntilCheckingAgainFindsAGrant) {
    EXPECT_TRUE(showsText("Welcome to Corvel"));
    EXPECT_TRUE(showsText("Corvel moves and clicks other apps' Menu Bar Items on your behalf, "
                          "which macOS only allows with Accessibility permission. Corvel never "
                          "reads your screen or your files."));
    EXPECT_TRUE(showsText("Accessibility not yet granted"));
    EXPECT_TRUE(shows("Grant Accessibility Access…"));
    EXPECT_TRUE(shows("I already granted it — check again"));
    EXPECT_FALSE(shows("Continue"));

    QTest::mouseClick(button("Grant Accessibility Access…"), Qt::LeftButton);
    EXPECT_EQ(permission->requests, 1);
    EXPECT_TRUE(showsText("Accessibility not yet granted"));

    permission->trusted = true;
    QTest::mouseClick(button("I already granted it — check again"), Qt::LeftButton);
    EXPECT_TRUE(showsText("Accessibility granted"));
    EXPECT_TRUE(shows("Continue"));
    EXPECT_FALSE(shows("Grant Accessibility Access…"));
}

TEST_F(OnboardingViewTest, grantedFromTheStartItOffersContinueWhichFinishes) {
    permission->trusted = true;
    EXPECT_TRUE(showsText("Accessibility granted"));
    QTest::mouseClick(button("Continue"), Qt::LeftButton);
    EXPECT_EQ(finished, 1);
}

} // namespace
} // namespace corvel
