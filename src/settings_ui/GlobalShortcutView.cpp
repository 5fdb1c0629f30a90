#include "settings_ui/GlobalShortcutView.h"

#include "settings_ui/ScreenStyle.h"

#include <QVBoxLayout>

namespace corvel {

GlobalShortcutView::GlobalShortcutView(std::shared_ptr<ShortcutRecorderViewModel> recorder,
                                       std::shared_ptr<SettingsViewModel> viewModel,
                                       QWidget* parent)
    : QWidget(parent) {
    subscriptions_.push_back(recorder->isRecording().observe([this, viewModel](bool recording) {
        shortcutsSuspended_ = recording ? viewModel->suspendShortcuts() : nullptr;
    }));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    recorder_ = new ShortcutRecorderView(std::move(recorder));
    column->addWidget(recorder_);
    refusal_ = ScreenStyle::label({}, ScreenStyle::TextSize::caption, ScreenStyle::Tone::red);
    refusal_->setAccessibleName("Shortcut Not Registered");
    column->addWidget(refusal_);
    showRefusal(std::nullopt);
}

void GlobalShortcutView::showRefusal(const std::optional<std::string>& message) {
    refusal_->setText(message ? QString::fromStdString(*message) : QString());
    refusal_->setVisible(message.has_value());
}

} // namespace corvel
