#pragma once

#include "platform/LaunchAtLogin.h"
#include "platform/SystemLog.h"
#include "settings/Observable.h"

#include <memory>
#include <optional>
#include <string>

namespace corvel {

/// The settings' switch "Open Corvel at login", over the platform's login
/// item; off until the person turns it on. The person may change the login
/// item in the system's settings too, so the switch shows the platform's
/// answer of the moment: read again after every change and on refresh().
/// Main thread only.
class LaunchAtLoginSetting {
  public:
    static constexpr const char* title = "Open Corvel at login";
    static constexpr const char* explanation = "Corvel starts in the background when you log in.";
    static constexpr const char* approvalNote =
        "To finish, allow Corvel in System Settings › General › Login Items.";

    LaunchAtLoginSetting(std::shared_ptr<platform::LaunchAtLogin> loginItem,
                         std::shared_ptr<platform::SystemLog> log);

    /// On while the login item is enabled or waiting for the person's
    /// approval.
    const Observable<bool>& isOn() const { return isOn_; }
    /// What the person must still do, or why the last change failed;
    /// nothing when all is well.
    const Observable<std::optional<std::string>>& note() const { return note_; }

    /// Turns the login item on or off; a refusal is shown and logged, and the
    /// switch then shows what the platform has.
    void setOn(bool on);
    void refresh();

  private:
    void show(std::optional<std::string> failure);

    std::shared_ptr<platform::LaunchAtLogin> loginItem_;
    std::shared_ptr<platform::SystemLog> log_;
    Observable<bool> isOn_;
    Observable<std::optional<std::string>> note_;
};

} // namespace corvel
