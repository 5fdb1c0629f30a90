#include "backend_mac26/Mac26PollWake.h"

#include <algorithm>

namespace corvel {

Mac26PollWake::Changing::Changing(std::shared_ptr<Mac26PollWake> wake) : wake_(std::move(wake)) {
    wake_->ring();
}

Mac26PollWake::Changing::~Changing() {
    wake_->ring();
}

void Mac26PollWake::mouseDown(const platform::MonitoredEvent& event) {
    const double bottom = barBottom_.load(std::memory_order_relaxed);
    if (bottom <= 0 || event.location.y <= bottom)
        ring();
}

void Mac26PollWake::noteReading(const std::vector<MenuBarWindowInfo>& windows) {
    barBottom_.store(barBottomOf(windows), std::memory_order_relaxed);
}

double Mac26PollWake::barBottomOf(const std::vector<MenuBarWindowInfo>& windows) {
    double bottom = 0;
    for (const auto& window : windows)
        if (window.bounds)
            bottom = std::max(bottom, window.bounds->origin.y + window.bounds->size.height);
    return bottom;
}

} // namespace corvel
