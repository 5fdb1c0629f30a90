#include "settings_ui/LaunchAtLoginToggle.h"

#include "settings_ui/ScreenStyle.h"
#include "settings_ui/SwitchStyle.h"

#include <QLayout>

namespace corvel {

LaunchAtLoginToggle::LaunchAtLoginToggle(std::shared_ptr<LaunchAtLoginSetting> setting,
                                         QWidget* parent)
    : QWidget(parent), setting_(std::move(setting)) {
    switch_ =
        SwitchStyle::row(this, LaunchAtLoginSetting::title, LaunchAtLoginSetting::explanation);
    note_ = ScreenStyle::label({}, ScreenStyle::TextSize::callout, ScreenStyle::Tone::orange);
    layout()->addWidget(note_);
    connect(switch_, &QCheckBox::clicked, this, [this](bool on) { setting_->setOn(on); });
    isOn_ = setting_->isOn().observe([this](bool) { reflect(); });
    noted_ = setting_->note().observe([this](const auto&) { reflect(); });
    reflect();
}

void LaunchAtLoginToggle::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setting_->refresh();
}

void LaunchAtLoginToggle::reflect() {
    const QSignalBlocker blocker(switch_);
    switch_->setChecked(setting_->isOn().value());
    const auto& note = setting_->note().value();
    note_->setText(note ? QString::fromStdString(*note) : QString());
    note_->setVisible(note.has_value());
}

} // namespace corvel
