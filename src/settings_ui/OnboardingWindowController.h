#pragma once

#include "platform/ApplicationActivation.h"
#include "settings/OnboardingViewModel.h"
#include "settings_ui/HostWindow.h"

#include <functional>
#include <memory>

namespace corvel {

/// The "Welcome to Corvel" window: titled and closable, sized by its content,
/// centred, built once and hidden (not destroyed) when closed. Main thread
/// only.
class OnboardingWindowController {
  public:
    /// `onFinished` runs when the person presses "Continue"; the owner
    /// decides what follows and may destroy this controller from it.
    OnboardingWindowController(std::shared_ptr<OnboardingViewModel> viewModel,
                               std::function<void()> onFinished,
                               std::shared_ptr<platform::ApplicationActivation> activation);

    /// Activates Corvel and brings the window to the front, key.
    void show();
    void close();
    HostWindow& window() { return *window_; }

  private:
    std::unique_ptr<HostWindow, HostWindow::Release> window_;
};

} // namespace corvel
