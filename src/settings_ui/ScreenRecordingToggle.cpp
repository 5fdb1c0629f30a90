#include "settings_ui/ScreenRecordingToggle.h"

#include "settings_ui/ScreenStyle.h"
#include "settings_ui/SwitchStyle.h"

#include <QVBoxLayout>

namespace corvel {

ScreenRecordingToggle::ScreenRecordingToggle(std::shared_ptr<SettingsViewModel> viewModel,
                                             QWidget* parent)
    : QWidget(parent), viewModel_(std::move(viewModel)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    switch_ = new QCheckBox("Show live Item snapshots (optional)");
    switch_->setAccessibleName("Show live Item snapshots (optional)");
    SwitchStyle::apply(switch_);
    layout->addWidget(switch_);
    layout->addWidget(ScreenStyle::label(
        "Lets Corvel capture a fresh icon for each Item instead of just its app icon and name. "
        "Requires Screen Recording permission.",
        ScreenStyle::TextSize::callout, ScreenStyle::Tone::secondary));
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
