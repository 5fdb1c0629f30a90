#include "settings/LaunchAtLoginSetting.h"

namespace corvel {

using Status = platform::LaunchAtLogin::Status;

LaunchAtLoginSetting::LaunchAtLoginSetting(std::shared_ptr<platform::LaunchAtLogin> loginItem,
                                           std::shared_ptr<platform::SystemLog> log)
    : loginItem_(std::move(loginItem)), log_(std::move(log)) {
    refresh();
}

void LaunchAtLoginSetting::setOn(bool on) {
    auto failure = loginItem_->setEnabled(on);
    if (failure) {
        log_->write(std::string("Corvel: failed to ") +
                    (on ? "add Corvel to" : "remove Corvel from") + " the login items — " +
                    *failure);
        failure = std::string("Corvel could not change its login item: ") + *failure;
    }
    show(std::move(failure));
}

void LaunchAtLoginSetting::refresh() {
    show(std::nullopt);
}

void LaunchAtLoginSetting::show(std::optional<std::string> failure) {
    const Status status = loginItem_->status();
    isOn_.set(status == Status::enabled || status == Status::requiresApproval);
    if (!failure && status == Status::requiresApproval)
        failure = approvalNote;
    note_.set(std::move(failure));
}

} // namespace corvel
