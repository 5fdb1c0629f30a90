#pragma once

#include "settings/SettingsViewModel.h"
#include "settings/Subscription.h"

#include <QCheckBox>
#include <QWidget>
#include <memory>

namespace corvel {

/// The switch for live Item pictures and its explanation. It always shows
/// whether Screen Recording is granted: turning it on asks the platform and
/// then shows the answer; turning it off asks nothing and changes nothing.
/// Main thread only.
class ScreenRecordingToggle final : public QWidget {
  public:
    explicit ScreenRecordingToggle(std::shared_ptr<SettingsViewModel> viewModel,
                                   QWidget* parent = nullptr);

    QCheckBox* toggle() const { return switch_; }

  private:
    void reflect(bool granted);

    std::shared_ptr<SettingsViewModel> viewModel_;
    QCheckBox* switch_;
    Subscription subscription_;
};

} // namespace corvel
