#include "settings_ui/ScreenRecordingToggle.h"

#include "settings_ui/SwitchStyle.h"

namespace corvel {

ScreenRecordingToggle::ScreenRecordingToggle(std::shared_ptr<SettingsViewModel> viewModel,
                                             QWidget* parent)
    : QWidget(parent), viewModel_(std::move(viewModel)) {
    switch_ = SwitchStyle::row(
        this, "Show live Item snapshots (optional)",
        "Lets Corvel capture a fresh icon for each Item instead of just its app icon and name. "
        "Requires Screen Recording permission.");
    connect(switch_, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            viewModel_->requestScreenRecordingAccess();
        reflect(viewModel_->isScreenRecordingGranted().value());
    });
    subscription_ =
        viewModel_->isScreenRecordingGranted().observe([this](bool granted) { reflect(granted); });
    reflect(viewModel_->isScreenRecordingGranted().value());
}

void ScreenRecordingToggle::reflect(bool granted) {
    const QSignalBlocker blocker(switch_);
    switch_->setChecked(granted);
}

} // namespace corvel
