#pragma once

#include "settings/OnboardingViewModel.h"
#include "settings/Subscription.h"

#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace corvel {

/// The onboarding screen: why Corvel needs Accessibility, whether it has it,
/// and the buttons to ask, to check again, or to go on. It never polls; the
/// status follows the view model. Main thread only.
class OnboardingView final : public QWidget {
  public:
    /// `onFinished` runs when the person presses "Continue"; it may close and
    /// destroy the window holding this view.
    OnboardingView(std::shared_ptr<OnboardingViewModel> viewModel, std::function<void()> onFinished,
                   QWidget* parent = nullptr);

  private:
    void render(bool isTrusted);

    std::shared_ptr<OnboardingViewModel> viewModel_;
    std::function<void()> onFinished_;
    QLabel* statusIcon_;
    QLabel* statusText_;
    QPushButton* continueButton_;
    QPushButton* grantButton_;
    QPushButton* checkAgainButton_;
    Subscription trustedSubscription_;
};

} // namespace corvel
