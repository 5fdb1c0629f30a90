#include "ui/OutsideClickMonitor.h"

namespace corvel {

OutsideClickMonitor::OutsideClickMonitor(std::shared_ptr<platform::GlobalEventMonitor> port)
    : port_(std::move(port)) {}

OutsideClickMonitor::~OutsideClickMonitor() {
    remove();
}

void OutsideClickMonitor::install(std::function<void()> onClick) {
    remove();
    if (!port_)
        return;
    token_ = port_->addGlobalMonitor(
        platform::GlobalEventMonitor::leftMouseDownMask |
            platform::GlobalEventMonitor::rightMouseDownMask,
        [onClick = std::move(onClick)](const platform::MonitoredEvent&) { onClick(); });
}

void OutsideClickMonitor::remove() {
    if (token_ && port_)
        port_->removeMonitor(*token_);
    token_.reset();
}

} // namespace corvel
