#include "sim/SimLoginItem.h"

namespace corvel::sim {

platform::LaunchAtLogin::Status SimLoginItem::status() const {
    std::lock_guard lock(mutex_);
    return enabled_ ? Status::enabled : Status::notRegistered;
}

std::optional<std::string> SimLoginItem::setEnabled(bool enabled) {
    std::lock_guard lock(mutex_);
    enabled_ = enabled;
    return std::nullopt;
}

} // namespace corvel::sim
