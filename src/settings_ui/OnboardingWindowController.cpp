#include "settings_ui/OnboardingWindowController.h"

#include "settings_ui/OnboardingView.h"

namespace corvel {

OnboardingWindowController::OnboardingWindowController(
    std::shared_ptr<OnboardingViewModel> viewModel, std::function<void()> onFinished,
    std::shared_ptr<platform::ApplicationActivation> activation) {
    auto* content = new OnboardingView(std::move(viewModel), std::move(onFinished));
    window_.reset(new HostWindow(content,
                                 HostWindow::Style{.title = "Welcome to Corvel",
                                                   .miniaturizable = false,
                                                   .resizable = false,
                                                   .contentSize = std::nullopt,
                                                   .frameAutosaveName = {}},
                                 std::move(activation), nullptr));
}

void OnboardingWindowController::show() {
    window_->bringToFront();
}

void OnboardingWindowController::close() {
    window_->close();
}

} // namespace corvel
