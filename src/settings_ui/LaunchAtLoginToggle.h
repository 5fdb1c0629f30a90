#pragma once

#include "settings/LaunchAtLoginSetting.h"
#include "settings/Subscription.h"

#include <QCheckBox>
#include <QLabel>
#include <QWidget>
#include <memory>

namespace corvel {

/// The switch "Open Corvel at login", its explanation, and the note of what
/// is left to do or why it failed. It reads the login item again each time
/// it is shown, since the person may have changed it in the system's
/// settings meanwhile. Main thread only.
class LaunchAtLoginToggle final : public QWidget {
  public:
    explicit LaunchAtLoginToggle(std::shared_ptr<LaunchAtLoginSetting> setting,
                                 QWidget* parent = nullptr);

    QCheckBox* toggle() const { return switch_; }
    QLabel* noteLabel() const { return note_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void reflect();

    std::shared_ptr<LaunchAtLoginSetting> setting_;
    QCheckBox* switch_;
    QLabel* note_;
    Subscription isOn_;
    Subscription noted_;
};

} // namespace corvel
