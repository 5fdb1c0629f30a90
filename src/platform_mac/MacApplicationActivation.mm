#include "platform_mac/MacApplicationActivation.h"

#include "platform_mac/MainThread.h"

#import <AppKit/AppKit.h>
#include <string>

namespace corvel::mac {

MacApplicationActivation::MacApplicationActivation(std::shared_ptr<platform::SystemLog> log)
    : log_(std::move(log)) {}

void MacApplicationActivation::setActivationPolicy(platform::ActivationPolicy policy) {
    requireMainThread("NSApplication setActivationPolicy:");
    const auto value = static_cast<NSApplicationActivationPolicy>(policy);
    if (![[NSApplication sharedApplication] setActivationPolicy:value])
        log_->write("Corvel: NSApplication setActivationPolicy: refused policy " +
                    std::to_string(static_cast<int>(value)));
}

void MacApplicationActivation::activateIgnoringOtherApps(bool) {
    requireMainThread("NSApplication activate");
    [[NSApplication sharedApplication] activate];
}

} // namespace corvel::mac
